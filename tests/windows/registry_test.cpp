// The real registry under Wine: what WriteRegString stores is what Windows' own reg tool shows,
// stored in the ANSI code page as the old program stored it, and the other way round.
#include <gtest/gtest.h>

#include <string>

#include "core/vbreg/registry_keys.h"
#include "core/vbreg/registry_strings.h"
#include "support/scripted_runtime.h"
#include "support/test_environment.h"
#include "windows/windows_test_util.h"

namespace {

using namespace std::string_literals;

const std::string kKey = "SOFTWARE\\Tarvo\\Marquill";

std::string Repeated(const std::string& text, int times) {
    std::string repeated;
    for (int i = 0; i < times; ++i) repeated += text;
    return repeated;
}

// The value as `reg query` shows it; "(none)" when it shows none.
std::string RegQuery(const std::string& name) {
    const auto shown = wintest::RunAndCatchOutput("reg query HKLM\\" + kKey + " /v " + name);
    const std::string& output = shown.output;
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
    ::RegGetValueA(winapi::LocalMachine(), kKey.c_str(), name.c_str(), RRF_RT_ANY, nullptr,
                   bytes.data(), &size);
    return bytes.substr(0, size);
}
void StoreBytes(const std::string& name, const std::string& bytes) {
    ::RegSetKeyValueA(winapi::LocalMachine(), kKey.c_str(), name.c_str(), platform::REG_SZ,
                      bytes.data(), static_cast<DWORD>(bytes.size()));
}

class WindowsRegistry : public testsupport::IsolatedTest {
protected:
    std::string Read(const std::string& name) {
        flag = 7;  // every read must set it
        return vbreg::ReadRegString(vbreg::HKEY_LOCAL_MACHINE, kKey, name, flag);
    }

    testsupport::ScriptedRuntime runtime;
    std::int16_t flag = 0;
};

struct WrittenRow {
    const char* name;
    std::string text;
    std::string ansi;
};

TEST_F(WindowsRegistry, AWrittenValueIsWhatRegQueryShowsStoredInTheAnsiCodePage) {
    // clang-format off
    const WrittenRow rows[] = {
        {.name = "Windows folder", .text = "C:\\POI\\", .ansi = "C:\\POI\\"},
        {.name = "umlaut", .text = "D:\\Österreich\\", .ansi = "D:\\\xD6sterreich\\"},
        {.name = "empty", .text = "", .ansi = ""},
        {.name = "254 umlauts", .text = Repeated("ä", 254), .ansi = std::string(254, '\xE4')},
    };
    // clang-format on
    for (const WrittenRow& row : rows) {
        EXPECT_EQ(vbreg::WriteRegString(vbreg::kSettingsKey, "Path_SD", row.text), 0) << row.name;
        EXPECT_EQ(RegQuery("Path_SD"), row.text) << row.name;
        EXPECT_EQ(StoredBytes("Path_SD"), row.ansi + '\0') << row.name;
        EXPECT_EQ(Read("Path_SD"), row.text) << row.name;
    }
}

TEST_F(WindowsRegistry, AValueThatRegAddWroteReadsBack) {
    const auto added = wintest::RunAndCatchOutput(
        "reg add HKLM\\" + kKey + " /v Path_POI /d \"E:\\Karten für Österreich\" /f");
    EXPECT_EQ(added.exitCode, 0) << added.output;
    EXPECT_EQ(Read("Path_POI"), "E:\\Karten für Österreich");
}

struct StoredRow {
    const char* name;
    std::string stored;
    std::string text;
    int flag = 0;
};

// The limit counts bytes as the old program stored them: one per umlaut or euro sign, whatever
// they take in UTF-8. Only data of size 0 shows a box.
TEST_F(WindowsRegistry, ReadsWhatTheOldProgramStoredAsItsBytesCounted) {
    // clang-format off
    const StoredRow rows[] = {
        {.name = "254 euros", .stored = Repeated("\x80", 254) + '\0', .text = Repeated("€", 254)},
        {.name = "255 umlauts", .stored = Repeated("\xE4", 255) + '\0', .text = ""},
        {.name = "size 0", .stored = "", .text = "", .flag = 1},
    };
    // clang-format on
    for (const StoredRow& row : rows) {
        StoreBytes("Path_POI", row.stored);
        const std::size_t boxes = runtime.Boxes().size();
        EXPECT_EQ(Read("Path_POI"), row.text) << row.name;
        EXPECT_EQ(flag, row.flag) << row.name;
        EXPECT_EQ(runtime.Boxes().size(), boxes + row.flag) << row.name;
    }
}

}  // namespace
