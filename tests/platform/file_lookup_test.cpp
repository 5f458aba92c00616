#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <optional>
#include <string>

#include "platform/platform.h"
#include "support/temp_folder.h"

namespace {

using testsupport::WriteFile;

// A folder with one of each kind of entry the lookup has to tell apart.
class FileLookupTest : public ::testing::Test {
protected:
    void SetUp() override {
        for (const char* dir : {"Kamera.bmp", "special", "special/sub"}) {
            ASSERT_EQ(mkdir((folder_ / dir).c_str(), 0700), 0);
        }
        for (const char* name : {"Blitzer.csv", "blitzer.csv", "BLITZER.BMP",
                                 "Blitzer Österreich.csv", ".hidden.csv", "special/.hidden"}) {
            WriteFile(folder_ / name, "x");
        }
        ASSERT_EQ(mkfifo((folder_ / "pipe.csv").c_str(), 0600), 0);
        ASSERT_EQ(symlink("Blitzer.csv", (folder_ / "link.csv").c_str()), 0);
        ASSERT_EQ(symlink("Kamera.bmp", (folder_ / "dirlink.bmp").c_str()), 0);
        ASSERT_EQ(symlink("missing.csv", (folder_ / "dangling.csv").c_str()), 0);
    }
    testsupport::TempFolder folder_;
};

// The exact name first, then any name equal but for letter case; only ordinary files count.
TEST_F(FileLookupTest, FindsOrdinaryFilesAsWindowsDoes) {
    const std::pair<std::string, std::string> found[] = {
        {"Blitzer.csv", "Blitzer.csv"}, {"blitzer.csv", "blitzer.csv"},
        {"BLITZER.csv", "Blitzer.csv"}, {"Blitzer.bmp", "BLITZER.BMP"},
        {"link.csv", "link.csv"},       {"BLITZER ÖSTERREICH.CSV", "Blitzer Österreich.csv"}};
    for (const auto& [asked, name] : found) {
        EXPECT_EQ(platform::FindOrdinaryFile(folder_ / asked), folder_ / name) << asked;
    }
    for (const std::string asked :
         {"Blitzer", "Blitzer.cs", ".hidden.csv", ".HIDDEN.CSV", "Kamera.bmp", "pipe.csv",
          "dirlink.bmp", "dangling.csv", "", "Blitzer*.csv", "missing/Blitzer.csv", "Blitzer.csv/x",
          "special/.hidden"}) {
        EXPECT_EQ(platform::FindOrdinaryFile(folder_ / asked), std::nullopt) << asked;
    }
    EXPECT_EQ(platform::FindOrdinaryFile(folder_ / std::string("Blitzer.csv\0.bmp", 16)),
              std::nullopt);
}

// "folder*.*": any file inside a folder named with a trailing "/", else names that start so.
TEST_F(FileLookupTest, FolderHoldsOrdinaryFile) {
    for (const char* held : {"", "Blitz", "blitz", "link"}) {
        EXPECT_TRUE(platform::FolderHoldsOrdinaryFile(folder_ / held)) << held;
    }
    for (const char* none :
         {"special/", "special", "Kamera", ".hid", "pipe", "dirlink", "dangling", "missing/"}) {
        EXPECT_FALSE(platform::FolderHoldsOrdinaryFile(folder_ / none)) << none;
    }
}

}  // namespace
