// The real registry under Wine: what WriteRegString stores is what Windows' own reg tool shows,
// stored in the ANSI code page as the old program stored it, and the other way round.
#include <gtest/gtest.h>

#include <string>

#include "core/vbreg/registry_keys.h"
#include "core/vbreg/registry_strings.h"
#include "core/vbreg/system_info.h"
#include "platform/win32/text_conversion.h"
#include "platform/win32/windows_api.h"
#include "support/scripted_runtime.h"
#include "support/test_environment.h"
#include "windows/windows_test_util.h"

namespace {

using namespace std::string_literals;

const char* const kKey = "SOFTWARE\\Tarvo\\Marquill";

std::string Repeated(const std::string& text, int times) {
    std::string repeated;
    for (int i = 0; i < times; ++i) repeated += text;
    return repeated;
}

// The value as `reg query` shows it; "(none)" when it shows none.
std::string RegQuery(const std::string& name) {
    const auto shown =
        wintest::RunAndCatchOutput("reg query HKLM\\" + std::string(kKey) + " /v " + name);
    const std::string output = wintest::Utf8FromOem(shown.output);
    const std::string columns = "    " + name + "    REG_SZ    ";
    const auto at = output.find(columns);
    if (at == std::string::npos) return "(none)";
    const auto start = at + columns.size();
    return output.substr(start, output.find("\r\n", start) - start);
}

// The bytes as they lie in the registry, read and written as the old program did: through the
// A functions, untouched.
std::string StoredBytes(const std::string& name) {
    std::string bytes(2048, '\0');
    DWORD size = static_cast<DWORD>(bytes.size());
    ::RegGetValueA(winapi::LocalMachine(), kKey, name.c_str(), RRF_RT_ANY, nullptr, bytes.data(),
                   &size);
    return bytes.substr(0, size);
}
void StoreBytes(const std::string& name, const std::string& bytes) {
    ::HKEY key = nullptr;
    ::RegCreateKeyExA(winapi::LocalMachine(), kKey, 0, nullptr, 0, 63, nullptr, &key, nullptr);
    ::RegSetValueExA(key, name.c_str(), 0, 1, reinterpret_cast<const BYTE*>(bytes.data()),
                     static_cast<DWORD>(bytes.size()));
    ::RegCloseKey(key);
}

class WindowsRegistry : public testsupport::IsolatedTest {
protected:
    std::string Read(const std::string& key, const std::string& name) {
        flag = 7;  // every read must set it
        return vbreg::ReadRegString(vbreg::HKEY_LOCAL_MACHINE, key, name, flag);
    }

    testsupport::ScriptedRuntime runtime;
    std::int16_t flag = 0;
};

TEST_F(WindowsRegistry, AWrittenValueIsWhatRegQueryShowsStoredInTheAnsiCodePage) {
    const struct {
        const char* name;
        std::string text;
        std::string ansi;
    } rows[] = {
        {.name = "windows_folder", .text = "C:\\POI\\", .ansi = "C:\\POI\\"},
        {.name = "umlauts",
         .text = "D:\\Österreich\\Straße",
         .ansi = "D:\\\xD6sterreich\\Stra\xDF"
                 "e"},
        {.name = "empty", .text = "", .ansi = ""},
        {.name = "254_umlauts", .text = Repeated("ä", 254), .ansi = std::string(254, '\xE4')},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(vbreg::WriteRegString(vbreg::kSettingsKey, "Path_SD", row.text), 0) << row.name;
        EXPECT_EQ(RegQuery("Path_SD"), row.text) << row.name;
        EXPECT_EQ(StoredBytes("Path_SD"), row.ansi + '\0') << row.name;
        EXPECT_EQ(Read(vbreg::kSettingsKey, "Path_SD"), row.text) << row.name;
    }
}

TEST_F(WindowsRegistry, AValueThatRegAddWroteReadsBack) {
    const std::string navman =
        "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\{17C4BEEA-D6E8-4975-B2CC-"
        "53F6F5CE9959}";
    const struct {
        const char* name;
        std::string key;
        const char* value;
        std::string text;
    } rows[] = {
        {.name = "settings", .key = kKey, .value = "Path_POI", .text = "E:\\Karten für Österreich"},
        {.name = "euro_sign", .key = kKey, .value = "Path_SD", .text = "F:\\€"},
        {.name = "navman_entry", .key = navman, .value = "InstallLocation", .text = "C:\\NavMan"},
    };
    for (const auto& row : rows) {
        const auto added = wintest::RunAndCatchOutput("reg add \"HKLM\\" + row.key + "\" /v " +
                                                      row.value + " /d \"" + row.text + "\" /f");
        EXPECT_EQ(added.exitCode, 0u) << row.name << ": " << added.output;
        EXPECT_EQ(Read(row.key + "\\", row.value), row.text) << row.name;
    }
}

// The limit counts bytes as the old program stored them: one per umlaut or euro sign, whatever
// they take in UTF-8. Only data of size 0 shows a box.
TEST_F(WindowsRegistry, ReadsWhatTheOldProgramStoredAsItsBytesCounted) {
    const struct {
        const char* name;
        std::string stored;
        std::string text;
        int flag;
    } rows[] = {
        {.name = "umlaut", .stored = "\xD6sterreich\0"s, .text = "Österreich", .flag = 0},
        {.name = "254_umlauts",
         .stored = std::string(254, '\xE4') + '\0',
         .text = Repeated("ä", 254),
         .flag = 0},
        {.name = "254_euro_signs",
         .stored = std::string(254, '\x80') + '\0',
         .text = Repeated("€", 254),
         .flag = 0},
        {.name = "255_umlauts", .stored = std::string(255, '\xE4') + '\0', .text = "", .flag = 0},
        {.name = "size_zero", .stored = "", .text = "", .flag = 1},
    };
    for (const auto& row : rows) {
        StoreBytes("Path_POI", row.stored);
        const std::size_t boxes = runtime.Boxes().size();
        EXPECT_EQ(Read(vbreg::kSettingsKey, "Path_POI"), row.text) << row.name;
        EXPECT_EQ(flag, row.flag) << row.name;
        EXPECT_EQ(runtime.Boxes().size(), boxes + row.flag) << row.name;
    }
    EXPECT_EQ(runtime.Boxes().back().text, "Ungültiges Argument");
}

// Wine reports Windows 7 to a program without a manifest; the Windows folder is Windows' own.
TEST_F(WindowsRegistry, SystemInformationComesFromWindows) {
    wchar_t folder[MAX_PATH] = {};
    ::GetWindowsDirectoryW(folder, MAX_PATH);
    EXPECT_EQ(vbreg::GetOSVersion(), "2.6.1");
    EXPECT_EQ(vbreg::GetWindowsDir(), platform::win32::Utf8FromUtf16(folder));
}

}  // namespace
