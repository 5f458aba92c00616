#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <optional>
#include <string>

#include "platform/platform.h"
#include "support/temp_folder.h"

namespace {

using testsupport::TempFolder;
using testsupport::WriteFile;

// A folder with one of each kind of entry the lookup has to tell apart.
class FileLookupTest : public ::testing::Test {
protected:
    void SetUp() override {
        WriteFile(folder_ / "Blitzer.csv", "x");
        WriteFile(folder_ / "BLITZER.BMP", "x");
        WriteFile(folder_ / "Blitzer \xC3\x96sterreich.csv", "x");
        WriteFile(folder_ / ".hidden.csv", "x");
        WriteFile(folder_ / "noextension", "x");
        ASSERT_EQ(mkdir((folder_ / "Kamera.bmp").c_str(), 0700), 0);
        ASSERT_EQ(mkfifo((folder_ / "pipe.csv").c_str(), 0600), 0);
        ASSERT_EQ(symlink("Blitzer.csv", (folder_ / "link.csv").c_str()), 0);
        ASSERT_EQ(symlink("Kamera.bmp", (folder_ / "dirlink.bmp").c_str()), 0);
        ASSERT_EQ(symlink("missing.csv", (folder_ / "dangling.csv").c_str()), 0);
    }

    std::optional<std::string> Find(const std::string& name) const {
        return platform::FindOrdinaryFile(folder_ / name);
    }

    TempFolder folder_;
};

TEST_F(FileLookupTest, FindsOrdinaryFilesAsWindowsDoes) {
    const struct {
        std::string asked;
        std::optional<std::string> found;
    } cases[] = {
        {"Blitzer.csv", "Blitzer.csv"},
        {"blitzer.CSV", "Blitzer.csv"},
        {"Blitzer.bmp", "BLITZER.BMP"},
        {"Blitzer \xC3\x96sterreich.csv", "Blitzer \xC3\x96sterreich.csv"},
        {"BLITZER \xC3\xB6STERREICH.CSV", "Blitzer \xC3\x96sterreich.csv"},
        {"noextension", "noextension"},
        {"link.csv", "link.csv"},
        {"Blitzer", std::nullopt},
        {"Blitzer.cs", std::nullopt},
        {".hidden.csv", std::nullopt},
        {".HIDDEN.CSV", std::nullopt},
        {"Kamera.bmp", std::nullopt},
        {"pipe.csv", std::nullopt},
        {"dirlink.bmp", std::nullopt},
        {"dangling.csv", std::nullopt},
        {"", std::nullopt},
        {"Blitzer*.csv", std::nullopt},
        {std::string("Blitzer.csv\0.bmp", 16), std::nullopt},
    };
    for (const auto& c : cases) {
        const auto found = Find(c.asked);
        const std::optional<std::string> expected =
            c.found ? std::optional<std::string>(folder_ / *c.found) : std::nullopt;
        EXPECT_EQ(found, expected) << "asked for " << c.asked;
    }
}

TEST_F(FileLookupTest, MissingFolderFindsNothing) {
    EXPECT_EQ(Find("missing/Blitzer.csv"), std::nullopt);
    EXPECT_EQ(Find("Blitzer.csv/x"), std::nullopt);
}

TEST(FolderHoldsOrdinaryFileTest, ListsFolderStarDotStar) {
    TempFolder folder;
    const std::string emptyFolder = folder / "empty/";
    const std::string onlySpecial = folder / "special/";
    const std::string withFile = folder / "poi/";
    ASSERT_EQ(mkdir(emptyFolder.c_str(), 0700), 0);
    ASSERT_EQ(mkdir(onlySpecial.c_str(), 0700), 0);
    ASSERT_EQ(mkdir(withFile.c_str(), 0700), 0);
    ASSERT_EQ(mkdir((onlySpecial + "sub").c_str(), 0700), 0);
    WriteFile(onlySpecial + ".hidden", "x");
    ASSERT_EQ(mkfifo((onlySpecial + "pipe").c_str(), 0600), 0);
    WriteFile(withFile + "README", "x");
    WriteFile(folder / "Blitzer.csv", "x");

    const struct {
        std::string folder;
        bool holds;
    } cases[] = {
        {emptyFolder, false},     {onlySpecial, false},
        {withFile, true},         {folder / "missing/", false},
        {folder / "Blitz", true},  // "Blitz*.*" in the folder above
        {folder / "blitz", true}, {folder / "Kamera", false},
        {folder / "poi", false},  // a folder's name is no file
        {folder / "", true},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(platform::FolderHoldsOrdinaryFile(c.folder), c.holds) << c.folder;
    }
}

TEST(ParentFolderExistsTest, TellsAMissingFileFromAMissingPath) {
    TempFolder folder;
    WriteFile(folder / "file", "x");
    const struct {
        std::string path;
        bool exists;
    } cases[] = {
        {folder / "missing.csv", true}, {folder / "missing/MARQUILL.CSV", false},
        {folder / "file/x", false},     {folder / "sub/", true},
        {"relative-name", true},        {"/", true},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(platform::ParentFolderExists(c.path), c.exists) << c.path;
    }
}

TEST(UserDecimalSeparatorTest, FollowsTheUserSettings) {
    const char* old = std::getenv("LC_ALL");
    const std::optional<std::string> saved = old ? std::optional<std::string>(old) : std::nullopt;
    setenv("LC_ALL", "C.UTF-8", 1);
    const std::string c = platform::UserDecimalSeparator();
    setenv("LC_ALL", "de_DE.UTF-8", 1);
    const std::string german = platform::UserDecimalSeparator();
    if (saved) {
        setenv("LC_ALL", saved->c_str(), 1);
    } else {
        unsetenv("LC_ALL");
    }
    EXPECT_EQ(c, ".");
    if (german == ".") GTEST_SKIP() << "locale de_DE.UTF-8 is not generated";
    EXPECT_EQ(german, ",");
}

}  // namespace
