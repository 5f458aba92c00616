// What Windows keeps for the program and for the user, under Wine: the settings as Windows' own
// reg tool sees and writes them, and the user's decimal separator.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "core/vbreg/registry_keys.h"
#include "core/vbreg/registry_strings.h"
#include "platform/platform.h"
#include "platform/win32/text_conversion.h"
#include "platform/win32/windows_api.h"
#include "support/scripted_runtime.h"
#include "support/test_environment.h"

namespace {

using platform::win32::Utf16FromUtf8;
using WindowsRegistry = testsupport::IsolatedTest;

const std::string kKey = "HKLM\\SOFTWARE\\Tarvo\\Marquill /v ";

// Windows' reg tool, its output read in the console's OEM code page.
std::string Reg(const std::string& arguments) {
    std::FILE* pipe = ::_wpopen(Utf16FromUtf8("reg " + arguments).c_str(), L"rb");
    std::string oem(8192, '\0');
    oem.resize(std::fread(oem.data(), 1, oem.size(), pipe));
    ::_pclose(pipe);
    std::wstring wide(oem.size(), L'\0');
    const int length = static_cast<int>(oem.size());
    wide.resize(::MultiByteToWideChar(CP_OEMCP, 0, oem.data(), length, wide.data(), length));
    return platform::win32::Utf8FromUtf16(wide);
}

// Both ways through the ANSI code page, as the old program's values were stored: the limit
// counts its bytes, one per umlaut, where UTF-8 takes two.
TEST_F(WindowsRegistry, ValuesCrossWithWindowsOwnToolsAndTheLimitCountsAnsiBytes) {
    testsupport::ScriptedRuntime runtime;
    for (const std::size_t length : {254u, 255u}) {
        const std::string text = platform::AnsiToUtf8(std::string(length, '\xE4'));
        std::int16_t flag = 0;
        EXPECT_EQ(vbreg::WriteRegString(vbreg::kSettingsKey, "Path_SD", text), 0) << length;
        EXPECT_THAT(Reg("query " + kKey + "Path_SD"),
                    testing::HasSubstr("    REG_SZ    " + text + "\r\n"))
            << length;
        Reg("add " + kKey + "Path_POI /d \"" + text + "\" /f");
        for (const char* name : {"Path_SD", "Path_POI"}) {
            EXPECT_EQ(
                vbreg::ReadRegString(vbreg::HKEY_LOCAL_MACHINE, vbreg::kSettingsKey, name, flag),
                length < 255 ? text : "")
                << length << " " << name;
        }
    }
}

// The user's own choice, as Windows' settings store it.
TEST(WindowsLocale, NumbersUseTheUsersDecimalSeparator) {
    wchar_t own[8] = {};
    ::GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, own, 8);
    for (const std::string separator : {",", "."}) {
        ::SetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, Utf16FromUtf8(separator).c_str());
        EXPECT_EQ(platform::UserDecimalSeparator(), separator);
    }
    ::SetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, own);
}

}  // namespace
