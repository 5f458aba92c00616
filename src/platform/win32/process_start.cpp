#include <cerrno>
#include <string>
#include <string_view>

#include "platform/platform.h"
#include "platform/text/letter_case.h"
#include "platform/win32/child_processes.h"
#include "platform/win32/error_codes.h"
#include "platform/win32/text_conversion.h"
#include "platform/win32/windows_api.h"

namespace platform {

namespace {

// Windows would run a batch file through cmd.exe, which reads the rest of the line as its
// own syntax; the command line may carry text from files the user did not write. Windows
// drops trailing dots and blanks from a name ("run.bat." is "run.bat").
bool IsBatchFile(std::string_view program) {
    while (!program.empty() && (program.back() == '.' || program.back() == ' ')) {
        program.remove_suffix(1);
    }
    if (program.size() < 4) return false;
    const std::string_view extension = program.substr(program.size() - 4);
    return text::NamesEqualIgnoringCase(extension, ".bat") ||
           text::NamesEqualIgnoringCase(extension, ".cmd");
}

}  // namespace

// The program is found as Windows finds it (no application name: ".exe" may be left out), and
// run directly, never by cmd.exe. Windows splits the arguments itself, by the rules that
// SplitCommandLine follows.
int StartCommandLine(const std::string& commandLine, int windowStyle, std::int32_t* processId) {
    const std::vector<std::string> tokens = SplitCommandLine(commandLine);
    if (tokens.empty() || tokens.front().empty()) return ENOENT;
    if (IsBatchFile(tokens.front())) return EACCES;

    win32::StartedChildren().ForgetEnded();
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = static_cast<WORD>(windowStyle);
    PROCESS_INFORMATION started{};
    std::wstring line = win32::Utf16FromUtf8(commandLine);
    if (!::CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                          &startup, &started)) {
        return win32::LastErrorAsErrno();
    }
    ::CloseHandle(started.hThread);
    const auto id = static_cast<std::int32_t>(started.dwProcessId);
    win32::StartedChildren().Remember(id, started.hProcess);
    if (processId != nullptr) *processId = id;
    return 0;
}

EndSignal ChildEndSignal(std::int32_t processId) {
    const ::HANDLE process = win32::StartedChildren().Find(processId);
    return process == nullptr ? kNoEndSignal : reinterpret_cast<EndSignal>(process);
}

}  // namespace platform
