// The settings file against a real regedit: Wine's where it is installed, else its UTF-16
// export of the same values kept in fixtures/.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>

#include "platform/registry_test_util.h"
#include "support/test_environment.h"

namespace {

using namespace std::string_literals;
using namespace registrytest;
using testsupport::ReadFile;
using testsupport::WriteFile;

const std::string kKey = "SOFTWARE\\Tarvo\\Marquill";

struct ExportedRow {
    const char* name;  // empty: the key's default value
    StoredValue value;
};

// What the fixture holds, made with `wine reg add`.
// clang-format off
const ExportedRow kExported[] = {
    {.name = "", .value = Text("Standard")},
    {.name = "Big", .value = {11, "\x89\x67\x45\x23\x01\0\0\0"s}},
    {.name = "Count", .value = {4, "\x2a\0\0\0"s}},
    {.name = "Empty", .value = Text("")},
    {.name = "Expand", .value = {2, Utf16Le(std::u16string(u"%SystemRoot%\\temp\0", 18))}},
    {.name = "Multi", .value = {7, Utf16Le(std::u16string(u"eins\0zwei\0\0", 11))}},
    {.name = "Path_POI", .value = Text("/home/anna/POI \"neu\"\\")},
    {.name = "Path_SD", .value = Text("/media/Österreich/")},
    {.name = "Raw", .value = {3, "\x00\xff\x10"s}},
};
// clang-format on

// Wine's standard output, or nothing when it failed. All runs share the build folder's prefix.
std::optional<std::string> Wine(const std::string& arguments) {
    const std::string command = "WINEPREFIX='" MARQUILL_WINE_PREFIX
                                "' WINEDEBUG=-all "
                                "WINEDLLOVERRIDES='mscoree,mshtml=' LANG=C.UTF-8 wine " +
                                arguments + " 2>/dev/null";
    FILE* pipe = popen(command.c_str(), "r");
    std::string out;
    char buffer[4096];
    for (std::size_t got; (got = fread(buffer, 1, sizeof buffer, pipe)) > 0;)
        out.append(buffer, got);
    return pclose(pipe) == 0 ? std::optional(out) : std::nullopt;
}

std::string WindowsPath(std::string path) {
    for (char& c : path) c = c == '/' ? '\\' : c;
    return "'Z:" + path + "'";
}

class WineRegedit : public testsupport::IsolatedTest {
protected:
    void SetUp() override {
        IsolatedTest::SetUp();
        std::filesystem::create_directories(ConfigHome() + "/marquill");
        if (std::system("command -v wine >/dev/null 2>&1") != 0) return;
        lock_ = open(MARQUILL_WINE_PREFIX ".lock", O_RDWR | O_CREAT | O_CLOEXEC, 0600);
        flock(lock_, LOCK_EX);  // test programs running side by side take turns on the prefix
        Wine("reg delete 'HKLM\\" + kKey + "' /f");
    }
    void TearDown() override {
        if (lock_ >= 0) close(lock_);
        IsolatedTest::TearDown();
    }

    int lock_ = -1;
};

// Put in place as the settings file, read, and stored into by Beenden: still UTF-16LE 5.00.
TEST_F(WineRegedit, ItsUtf16ExportReadsBackAndSurvivesBeendenInItsOwnForm) {
    const std::string fixture = MARQUILL_FIXTURES "/wine_regedit_export.reg";
    const std::string exported = CacheHome() + "/export.reg";
    const bool withWine = lock_ >= 0;
    if (withWine) {
        ASSERT_TRUE(Wine("regedit /s " + WindowsPath(fixture)));
        ASSERT_TRUE(
            Wine("regedit /e " + WindowsPath(exported) + " 'HKEY_LOCAL_MACHINE\\" + kKey + "'"));
    }
    const char* source = withWine ? "regedit's export" : "the fixture";
    WriteFile(HivePath(), ReadFile(withWine ? exported : fixture));
    EXPECT_EQ(StoreText(kKey, "Path_POI", "/poi/"), ERROR_SUCCESS);
    const std::string header = Utf16Le(u"\uFEFFWindows Registry Editor Version 5.00\r\n");
    EXPECT_TRUE(ReadFile(HivePath()).starts_with(header)) << source;
    for (const ExportedRow& row : kExported) {
        EXPECT_EQ(Query(kKey, row.name), row.name == "Path_POI"s ? Text("/poi/") : row.value)
            << source << ": " << row.name;
    }
}

struct AsciiRow {
    const char* name;  // of the value
    std::string text;
};

// regedit reads REGEDIT4 in the ANSI code page: ASCII values arrive as they are.
TEST_F(WineRegedit, RegeditImportsOurRegedit4FileWithTheSameAsciiValues) {
    if (lock_ < 0) GTEST_SKIP() << "no wine";
    // clang-format off
    const AsciiRow rows[] = {
        {.name = "backslashes and a blank", .text = "C:\\Programme\\Nav Man"},
        {.name = "quotes", .text = "say \"hi\""},
        {.name = "empty", .text = ""},
    };
    // clang-format on
    for (const AsciiRow& row : rows) EXPECT_EQ(StoreText(kKey, row.name, row.text), ERROR_SUCCESS);
    ASSERT_TRUE(ReadFile(HivePath()).starts_with("REGEDIT4\n"));
    ASSERT_TRUE(Wine("regedit /s " + WindowsPath(HivePath())));
    const std::string shown = Wine("reg query 'HKLM\\" + kKey + "'").value_or("-");
    for (const AsciiRow& row : rows) {
        const std::string line =
            "    " + std::string(row.name) + "    REG_SZ    " + row.text + "\r\n";
        EXPECT_NE(shown.find(line), std::string::npos) << row.name << ": " << shown;
    }
}

}  // namespace
