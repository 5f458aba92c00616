#include "core/utils/sequential_file.h"

#include <cerrno>

#include "core/runtime/runtime_error.h"
#include "platform/platform.h"

namespace Utils {

SequentialFile::SequentialFile(const std::string& path) : file_(nullptr), path_(path) {
    // The list is found as Windows finds it, whatever the case of its name on disk.
    const std::string actual = platform::FindOrdinaryFile(path).value_or(path);
    file_ = platform::OpenFileStream(actual, "rb");
    if (file_ == nullptr) throw runtime::ErrorFromErrno(errno, path);
}

SequentialFile::~SequentialFile() {
    Close();
}

int SequentialFile::NextByte() {
    if (file_ == nullptr) throw runtime::RuntimeError(runtime::kPathFileAccessError);
    errno = 0;
    const int c = std::getc(file_);
    if (c == EOF && std::ferror(file_)) throw runtime::ErrorFromErrno(errno, path_);
    return c;
}

bool SequentialFile::AtEnd() {
    const int c = NextByte();
    if (c == EOF) return true;
    std::ungetc(c, file_);
    return false;
}

char SequentialFile::ReadChar() {
    const int c = NextByte();
    if (c == EOF) throw runtime::RuntimeError(runtime::kInputPastEndOfFile);
    return static_cast<char>(c);
}

void SequentialFile::Close() {
    if (file_ == nullptr) return;
    std::fclose(file_);
    file_ = nullptr;
}

}  // namespace Utils
