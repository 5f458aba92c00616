#include "windows/windows_test_util.h"

#include <filesystem>
#include <stdexcept>

#include "platform/win32/text_conversion.h"
#include "platform/win32/windows_api.h"
#include "support/temp_folder.h"

namespace wintest {

using platform::win32::Utf16FromUtf8;
using platform::win32::Utf8FromUtf16;

std::string WindowsPath(const std::string& buildPath) {
    return testsupport::Utf8Of(std::filesystem::absolute(testsupport::PathOf(buildPath)));
}

std::string TestChild() {
    wchar_t self[MAX_PATH] = {};
    ::GetModuleFileNameW(nullptr, self, MAX_PATH);
    return "\"" +
           testsupport::Utf8Of(std::filesystem::path(self).parent_path() / "test_child.exe") + "\"";
}

Finished RunAndCatchOutput(const std::string& commandLine) {
    SECURITY_ATTRIBUTES inheritable{sizeof inheritable, nullptr, TRUE};
    ::HANDLE readEnd = nullptr;
    ::HANDLE writeEnd = nullptr;
    if (!::CreatePipe(&readEnd, &writeEnd, &inheritable, 0)) throw std::runtime_error("pipe");
    ::SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    // Nothing to read: a program that asks a question gets no answer instead of waiting.
    const ::HANDLE nothing = ::CreateFileW(L"NUL", GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                           &inheritable, OPEN_EXISTING, 0, nullptr);
    startup.hStdInput = nothing;
    startup.hStdOutput = writeEnd;
    startup.hStdError = writeEnd;
    PROCESS_INFORMATION started{};
    std::wstring line = Utf16FromUtf8(commandLine);
    const bool ran = ::CreateProcessW(nullptr, line.data(), nullptr, nullptr, TRUE, 0, nullptr,
                                      nullptr, &startup, &started);
    ::CloseHandle(writeEnd);
    ::CloseHandle(nothing);
    if (!ran) {
        ::CloseHandle(readEnd);
        throw std::runtime_error("cannot start " + commandLine);
    }
    Finished finished{0, {}};
    char buffer[4096];
    DWORD got = 0;
    while (::ReadFile(readEnd, buffer, sizeof buffer, &got, nullptr) && got > 0) {
        finished.output.append(buffer, got);
    }
    ::WaitForSingleObject(started.hProcess, INFINITE);
    ::GetExitCodeProcess(started.hProcess, &finished.exitCode);
    for (::HANDLE handle : {readEnd, started.hProcess, started.hThread}) ::CloseHandle(handle);
    return finished;
}

std::string Utf8FromOem(const std::string& text) {
    const int length = static_cast<int>(text.size());
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    const int converted =
        ::MultiByteToWideChar(CP_OEMCP, 0, text.data(), length, wide.data(), length);
    wide.resize(static_cast<std::size_t>(converted));
    return Utf8FromUtf16(wide);
}

}  // namespace wintest
