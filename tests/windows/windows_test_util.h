#pragma once
// Helpers of the Windows tests: the child program the build put beside them, and Windows' own
// console tools run with their output caught.

#include <cstdio>
#include <filesystem>
#include <string>

#include "platform/win32/text_conversion.h"
#include "platform/win32/windows_api.h"
#include "support/temp_folder.h"

namespace wintest {

// test_child.exe, beside this test program, quoted for a command line.
inline std::string TestChild() {
    wchar_t self[MAX_PATH] = {};
    ::GetModuleFileNameW(nullptr, self, MAX_PATH);
    const auto child = std::filesystem::path(self).parent_path() / "test_child.exe";
    return "\"" + testsupport::Utf8Of(child) + "\"";
}

struct Finished {
    int exitCode;
    std::string output;  // as UTF-8; console tools write in the OEM code page
};

// Runs the command line through cmd.exe, waits for its end and returns what it wrote.
inline Finished RunAndCatchOutput(const std::string& commandLine) {
    std::FILE* pipe = ::_wpopen(platform::win32::Utf16FromUtf8(commandLine).c_str(), L"rb");
    std::string oem;
    char buffer[4096];
    for (std::size_t got; (got = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;)
        oem.append(buffer, got);
    const int exitCode = ::_pclose(pipe);
    std::wstring wide(oem.size(), L'\0');
    const int length = static_cast<int>(oem.size());
    wide.resize(::MultiByteToWideChar(CP_OEMCP, 0, oem.data(), length, wide.data(), length));
    return {exitCode, platform::win32::Utf8FromUtf16(wide)};
}

}  // namespace wintest
