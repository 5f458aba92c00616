#pragma once

#include <cstdio>
#include <string>

namespace Utils {

// A file opened for sequential reading, one byte at a time; closed when it goes out of scope.
class SequentialFile {
public:
    explicit SequentialFile(const std::string& path);  // throws runtime::RuntimeError
    ~SequentialFile();
    SequentialFile(const SequentialFile&) = delete;
    SequentialFile& operator=(const SequentialFile&) = delete;

    bool AtEnd();     // throws runtime::RuntimeError on a failing test
    char ReadChar();  // throws runtime::RuntimeError on a failing read
    void Close();

private:
    int NextByte();  // the next byte, or EOF at the end; a failing read throws

    std::FILE* file_;
    std::string path_;
};

}  // namespace Utils
