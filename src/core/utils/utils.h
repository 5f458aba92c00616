#pragma once
// Module Utils: path checks, error report, launch and wait, the install list's reading and
// field rules, and the file move.

#include <cstdint>
#include <cstdio>
#include <string>

#include "core/controls/controls.h"

namespace Utils {

inline constexpr const char* kUnknownMarker = "unbekannt!";

// Path checks
void CheckPathField(controls::TextBox& field);
void UpdateInstallButton();

// Error report: shows the critical box and ends the program. `statement` 0 omits the line.
[[noreturn]] void ShowError(const std::string& description, const std::string& module,
                            const std::string& procedure, int statement);

// Launch and wait
void call_and_wait(const std::string& commandLine, std::int32_t windowStyle);

// An install list opened for sequential reading; closed when it goes out of scope.
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

std::string ReadLineFromFile(SequentialFile& file);
std::string Get_Token(const std::string& line, std::int16_t n);
std::string FlagValue(const std::string& field);
std::string DistanceValue(const std::string& field);
std::int16_t HasPoiData(const std::string& base);

// The short-name rule without its fallback: upper case, first 8 characters, trimmed.
std::string ShortNameOf(const std::string& column);
// Spaces (and only spaces) removed at both ends.
std::string TrimSpaces(const std::string& text);

// Copies the source over the destination, then deletes the source.
void MoveFile(const std::string& source, const std::string& destination);

}  // namespace Utils
