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

std::string Utf16Le(std::u16string_view text) {
    return {reinterpret_cast<const char*>(text.data()), text.size() * 2};
}

struct ExportedValue {
    const char* name;  // empty: the key's default value
    StoredValue value;
};

// What fixtures/wine_regedit_export.reg holds, made with `wine reg add`.
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

class WineRegedit : public testsupport::IsolatedTest {
protected:
    void ExpectExported(const char* source, const std::string& poi, const std::string& sd) {
        for (const ExportedValue& row : kExported) {
            const std::string name = row.name;
            const auto expected = name == "Path_POI"  ? Text(poi)
                                  : name == "Path_SD" ? Text(sd)
                                                      : row.value;
            EXPECT_EQ(Query(kKey, name), expected) << source << ": " << name;
        }
    }

    // Beenden stores both folders; the file must stay UTF-16LE 5.00 with CR LF.
    void StoreFoldersAndExpectUtf16() {
        EXPECT_EQ(StoreText(kKey, "Path_POI", "/poi/"), ERROR_SUCCESS);
        EXPECT_EQ(StoreText(kKey, "Path_SD", "/media/Österreich/neu/"), ERROR_SUCCESS);
        const std::string file = ReadFile(HivePath());
        EXPECT_TRUE(file.starts_with(Utf16Le(u"\uFEFFWindows Registry Editor Version 5.00\r\n")));
        std::size_t lineFeeds = 0, crLfs = 0;
        for (std::size_t i = 0; i + 1 < file.size(); i += 2) {
            if (file.compare(i, 2, "\n\0"s) != 0) continue;
            ++lineFeeds;
            if (i >= 2 && file.compare(i - 2, 2, "\r\0"s) == 0) ++crLfs;
        }
        EXPECT_GT(lineFeeds, 10u);
        EXPECT_EQ(crLfs, lineFeeds);
    }
};

TEST_F(WineRegedit, ItsUtf16ExportReadsBackAndSurvivesBeendenInItsOwnForm) {
    std::filesystem::create_directories(ConfigHome() + "/marquill");
    WriteFile(HivePath(), ReadFile(MARQUILL_FIXTURES "/wine_regedit_export.reg"));
    ExpectExported("fixture", "/home/anna/POI \"neu\"\\", "/media/Österreich/");
    StoreFoldersAndExpectUtf16();
    ExpectExported("after Beenden", "/poi/", "/media/Österreich/neu/");
}

// ---- with Wine itself ------------------------------------------------------------------------

// Wine's standard output, or nothing when it failed. All runs share the build folder's prefix
// and take turns on it.
std::optional<std::string> Wine(const std::string& arguments) {
    const std::string command = "WINEPREFIX='" MARQUILL_WINE_PREFIX
                                "' WINEDEBUG=-all WINEDLLOVERRIDES='mscoree,mshtml=' "
                                "LANG=C.UTF-8 wine " +
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
        flock(lock_, LOCK_EX);
        Wine("reg delete 'HKLM\\" + kKey + "' /f");
        std::filesystem::create_directories(ConfigHome() + "/marquill");
    }
    void TearDown() override {
        if (lock_ >= 0) close(lock_);
        WineRegedit::TearDown();
    }

    // Puts what Wine's regedit exports of the key in the hive's place.
    void ExportIntoHive() {
        const std::string exported = CacheHome() + "/export.reg";
        ASSERT_TRUE(
            Wine("regedit /e " + WindowsPath(exported) + " 'HKEY_LOCAL_MACHINE\\" + kKey + "'"));
        WriteFile(HivePath(), ReadFile(exported));
    }

    int lock_ = -1;
};

TEST_F(WithWine, RegeditReadsOurFilesAsWeReadItsExport) {
    const std::string add = "reg add 'HKLM\\" + kKey + "' /f ";
    for (const char* value :
         {"/ve /d Standard", "/v Big /t REG_QWORD /d 0x123456789", "/v Count /t REG_DWORD /d 42",
          "/v Empty /d ''", "/v Expand /t REG_EXPAND_SZ /d '%SystemRoot%\\temp'",
          "/v Multi /t REG_MULTI_SZ /d 'eins\\0zwei'", "/v Path_POI /d '/home/anna/POI \"neu\"\\'",
          "/v Path_SD /d '/media/Österreich/'", "/v Raw /t REG_BINARY /d 00ff10"}) {
        ASSERT_TRUE(Wine(add + value)) << value;
    }
    ExportIntoHive();
    ExpectExported("live export", "/home/anna/POI \"neu\"\\", "/media/Österreich/");

    // Our rewrite, imported and exported again by regedit, holds the same values.
    StoreFoldersAndExpectUtf16();
    ASSERT_TRUE(Wine("reg delete 'HKLM\\" + kKey + "' /f"));
    ASSERT_TRUE(Wine("regedit /s " + WindowsPath(HivePath())));
    ExportIntoHive();
    ExpectExported("our UTF-16 file through regedit", "/poi/", "/media/Österreich/neu/");
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
        const auto shown = Wine("reg query 'HKLM\\" + kKey + "' /v " + name);
        EXPECT_NE(shown.value_or("").find("    " + name + "    REG_SZ    " + text + "\r\n"),
                  std::string::npos)
            << text << ": " << shown.value_or("(failed)");
    }
}

}  // namespace
