// The settings file against a real regedit: Wine's, where it is installed, and its UTF-16 export
// kept in fixtures/ for machines without it.
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
const std::string kFixture = MARQUILL_FIXTURES "/wine_regedit_export.reg";

struct ExportedValue {
    const char* name;  // empty: the key's default value
    StoredValue value;
};

// What the fixture holds, made with `wine reg add`.
const ExportedValue kExported[] = {
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

std::size_t Count(const std::string& text, const std::string& part) {
    std::size_t count = 0;
    for (auto at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++count;
    return count;
}

class WineRegedit : public testsupport::IsolatedTest {
protected:
    void SetUp() override {
        IsolatedTest::SetUp();
        std::filesystem::create_directories(ConfigHome() + "/marquill");
    }

    // The exported values, with both folders as Beenden stored them, if it did.
    void ExpectExported(const char* source, bool stored) {
        for (const ExportedValue& row : kExported) {
            const std::string name = row.name;
            auto expected = row.value;
            if (stored && name == "Path_POI") expected = Text("/poi/");
            if (stored && name == "Path_SD") expected = Text("/media/Österreich/neu/");
            EXPECT_EQ(Query(kKey, name), expected) << source << ": " << name;
        }
    }

    // Beenden stores both folders; the file must stay UTF-16LE 5.00 with CR LF.
    void StoreFoldersAndExpectUtf16() {
        EXPECT_EQ(StoreText(kKey, "Path_POI", "/poi/"), ERROR_SUCCESS);
        EXPECT_EQ(StoreText(kKey, "Path_SD", "/media/Österreich/neu/"), ERROR_SUCCESS);
        const std::string file = ReadFile(HivePath());
        EXPECT_TRUE(file.starts_with(Utf16Le(u"\uFEFFWindows Registry Editor Version 5.00\r\n")));
        EXPECT_EQ(Count(file, "\n\0"s), Count(file, "\r\0\n\0"s));
        EXPECT_GT(Count(file, "\n\0"s), 10u);
    }
};

TEST_F(WineRegedit, ItsUtf16ExportReadsBackAndSurvivesBeendenInItsOwnForm) {
    WriteFile(HivePath(), ReadFile(kFixture));
    ExpectExported("fixture", false);
    StoreFoldersAndExpectUtf16();
    ExpectExported("after Beenden", true);
}

// ---- with Wine itself ------------------------------------------------------------------------

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

class WithWine : public WineRegedit {
protected:
    void SetUp() override {
        WineRegedit::SetUp();
        if (std::system("command -v wine >/dev/null 2>&1") != 0) GTEST_SKIP() << "no wine";
        lock_ = open(MARQUILL_WINE_PREFIX ".lock", O_RDWR | O_CREAT | O_CLOEXEC, 0600);
        flock(lock_, LOCK_EX);  // test programs running side by side take turns on the prefix
        Wine("reg delete 'HKLM\\" + kKey + "' /f");
    }
    void TearDown() override {
        if (lock_ >= 0) close(lock_);
        WineRegedit::TearDown();
    }

    // Imports the file into Wine's registry and puts regedit's export of the key in its place.
    void ThroughRegedit(const std::string& file) {
        ASSERT_TRUE(Wine("regedit /s " + WindowsPath(file)));
        const std::string exported = CacheHome() + "/export.reg";
        ASSERT_TRUE(
            Wine("regedit /e " + WindowsPath(exported) + " 'HKEY_LOCAL_MACHINE\\" + kKey + "'"));
        WriteFile(HivePath(), ReadFile(exported));
    }

    int lock_ = -1;
};

TEST_F(WithWine, RegeditReadsOurUtf16FileAsWeReadItsExport) {
    ThroughRegedit(kFixture);
    ExpectExported("regedit's export", false);
    StoreFoldersAndExpectUtf16();
    ASSERT_TRUE(Wine("reg delete 'HKLM\\" + kKey + "' /f"));
    ThroughRegedit(HivePath());
    ExpectExported("our file through regedit", true);
}

TEST_F(WithWine, RegeditImportsOurRegedit4FileWithTheSameAsciiValues) {
    const std::string texts[] = {"/home/anna/POI/", "C:\\Programme\\Nav Man", "say \"hi\"", ""};
    for (const std::string& text : texts) {
        EXPECT_EQ(StoreText(kKey, "v" + std::to_string(text.size()), text), ERROR_SUCCESS);
    }
    ASSERT_TRUE(ReadFile(HivePath()).starts_with("REGEDIT4\n"));
    ASSERT_TRUE(Wine("regedit /s " + WindowsPath(HivePath())));
    for (const std::string& text : texts) {
        const std::string name = "v" + std::to_string(text.size());
        const auto shown = Wine("reg query 'HKLM\\" + kKey + "' /v " + name).value_or("(failed)");
        EXPECT_NE(shown.find("    " + name + "    REG_SZ    " + text + "\r\n"), std::string::npos)
            << text << ": " << shown;
    }
}

}  // namespace
