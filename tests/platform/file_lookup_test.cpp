#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <ctime>
#include <optional>
#include <string>

#include "platform/platform.h"
#include "platform/posix/file_stamp.h"
#include "support/temp_folder.h"

namespace {

using testsupport::WriteFile;

// A folder with one of each kind of entry the lookup has to tell apart.
class FileLookup : public ::testing::Test {
protected:
    void SetUp() override {
        for (const char* dir : {"Kamera.bmp", "special", "special/sub"})
            ASSERT_TRUE(testsupport::MakeFolder(folder_ / dir));
        for (const char* name : {"Blitzer.csv", "blitzer.csv", "Blitzer Österreich.csv", "中.csv",
                                 ".hidden.csv", "special/.hidden"})
            WriteFile(folder_ / name, "x");
        ASSERT_EQ(symlink("Blitzer.csv", (folder_ / "link.csv").c_str()), 0);
        ASSERT_EQ(symlink("Kamera.bmp", (folder_ / "dirlink.bmp").c_str()), 0);
    }
    std::optional<std::string> Find(const std::string& name) {
        return platform::FindOrdinaryFile(folder_ / name);
    }
    testsupport::TempFolder folder_;
};

struct LookupRow {
    const char* name;
    std::string asked;
    std::optional<std::string> found = std::nullopt;
};

// The exact name first, then any name equal but for letter case; only ordinary files count.
TEST_F(FileLookup, FindsOrdinaryFilesAsWindowsDoes) {
    // clang-format off
    const LookupRow rows[] = {
        {.name = "exact before other case", .asked = "blitzer.csv", .found = "blitzer.csv"},
        {.name = "other case", .asked = "BLITZER.csv", .found = "Blitzer.csv"},
        {.name = "link to a file", .asked = "link.csv", .found = "link.csv"},
        {.name = "umlaut", .asked = "blitzer österreich.CSV", .found = "Blitzer Österreich.csv"},
        {.name = "3-byte character", .asked = "中.CSV", .found = "中.csv"},
        // Taken byte by byte as Latin-1, "中" would read as these three characters.
        {.name = "not a 3-byte character", .asked = "ä¸\u00AD.csv"},
        {.name = "start of a name", .asked = "Blitzer.cs"},
        {.name = "hidden", .asked = ".hidden.csv"},
        {.name = "link to a folder", .asked = "dirlink.bmp"},
    };
    // clang-format on
    for (const LookupRow& row : rows) {
        const auto expected = row.found ? std::optional(folder_ / *row.found) : std::nullopt;
        EXPECT_EQ(Find(row.asked), expected) << row.name;
    }
}

// "folder*.*": any file inside a folder named with a trailing "/" (the install run's card shows
// that), else names that start so.
TEST_F(FileLookup, FolderHoldsOrdinaryFileAsDirListsIt) {
    EXPECT_TRUE(platform::FolderHoldsOrdinaryFile(folder_ / "blitz"));  // a name's start, any case
    EXPECT_FALSE(
        platform::FolderHoldsOrdinaryFile(folder_ / "special/"));  // hidden files, a folder
}

// Names come and go during a run, often within one tick of the file system's clock: a reused
// listing must never hide a new file or show one that has gone.
TEST_F(FileLookup, NeverAnswersFromAStaleListing) {
    for (const std::string name : {"a", "b", "c", "d", "e"}) {
        usleep(60'000);  // long enough for the listing to be kept
        EXPECT_EQ(Find(name + ".csv"), std::nullopt) << name;
        WriteFile(folder_ / (name + ".CSV"), "x");
        EXPECT_EQ(Find(name + ".csv"), folder_ / (name + ".CSV")) << name;
        std::rename((folder_ / (name + ".CSV")).c_str(), (folder_ / (name + ".Csv")).c_str());
        EXPECT_EQ(Find(name + ".csv"), folder_ / (name + ".Csv")) << name;
    }
}

// Kernels without fine-grained stamps (and a FAT card) stamp every change within one tick alike,
// and a clock set back can stamp a change in the past: only what is plainly older counts. The
// listing above and the parsed hive are kept only while their stamp is settled.
TEST(FileStamp, OnlyAStampWellInThePastIsTrusted) {
    const std::pair<long long, bool> agoMsAndSettled[] = {
        {0, false}, {10, false}, {1000, true}, {-1000, false}};
    for (const auto& [agoMs, settled] : agoMsAndSettled) {
        timespec now{};
        clock_gettime(CLOCK_REALTIME, &now);
        const long long ns = now.tv_sec * 1'000'000'000LL + now.tv_nsec - agoMs * 1'000'000;
        platform::posix::FileStamp stamp;
        stamp.changed = {ns / 1'000'000'000, ns % 1'000'000'000};  // the newer of the two counts
        EXPECT_EQ(platform::posix::IsSettled(stamp), settled) << agoMs << " ms ago";
        std::swap(stamp.changed, stamp.modified);
        EXPECT_EQ(platform::posix::IsSettled(stamp), settled) << agoMs << " ms ago";
    }
}

}  // namespace
