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

using namespace registrytest;
using testsupport::ReadFile;
using testsupport::WriteFile;

const std::string kKey = "SOFTWARE\\Tarvo\\Marquill";

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

// Put in place as the settings file, read, and stored into by Beenden: still UTF-16LE 5.00, with
// CR LF and a character beyond the BMP as a surrogate pair.
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
    EXPECT_EQ(StoreText(kKey, "Path_POI", "/poi/中😀"), ERROR_SUCCESS);
    const std::string header = Utf16Le(u"\uFEFFWindows Registry Editor Version 5.00\r\n");
    const std::string rewritten = ReadFile(HivePath());
    EXPECT_TRUE(rewritten.starts_with(header)) << source;
    EXPECT_NE(rewritten.find(Utf16Le(u"\r\n\"Path_POI\"=\"/poi/中😀\"\r\n")), std::string::npos);
    EXPECT_EQ(Query(kKey, "Path_POI"), Text("/poi/中😀")) << source;
    EXPECT_EQ(Query(kKey, "Path_SD"), Text("/media/Österreich/")) << source;
    // A typed value the export writes over two lines keeps its bytes.
    const std::u16string expand(u"%SystemRoot%\\temp\0", 18);
    EXPECT_EQ(Query(kKey, "Expand"), (StoredValue{2, Utf16Le(expand)})) << source;
}

// regedit reads REGEDIT4 in the ANSI code page: ASCII values arrive as they are.
TEST_F(WineRegedit, RegeditImportsOurRegedit4FileWithTheSameAsciiValues) {
    if (lock_ < 0) GTEST_SKIP() << "no wine";
    const std::string text = "C:\\Programme\\Nav Man \"neu\"";
    EXPECT_EQ(StoreText(kKey, "Path_POI", text), ERROR_SUCCESS);
    ASSERT_TRUE(ReadFile(HivePath()).starts_with("REGEDIT4\n"));
    ASSERT_TRUE(Wine("regedit /s " + WindowsPath(HivePath())));
    const std::string shown = Wine("reg query 'HKLM\\" + kKey + "'").value_or("-");
    EXPECT_NE(shown.find("    Path_POI    REG_SZ    " + text + "\r\n"), std::string::npos) << shown;
}

}  // namespace
