#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "platform/durable_file_testing.h"
#include "platform/registry_test_util.h"
#include "support/test_environment.h"

namespace {

using Steps = std::vector<std::string>;
using DurableFile = testsupport::IsolatedTest;

std::string NameOf(const std::string& path) {
    return path.substr(path.rfind('/') + 1);
}

std::string NameBehind(int fd) {
    return NameOf(std::filesystem::read_symlink("/proc/self/fd/" + std::to_string(fd)));
}

// Records each step by the name of the file it acts on, then takes it.
platform::test_seams::DurableFileSteps RecordingInto(Steps& steps) {
    // clang-format off
    return {.flush = [&](int fd) { return steps.push_back("flush " + NameBehind(fd)), fsync(fd); },
            .close = [&](int fd) { return steps.push_back("close " + NameBehind(fd)), close(fd); },
            .rename = [&](const char* from, const char* to) {
                steps.push_back("rename " + NameOf(from) + " " + NameOf(to));
                return std::rename(from, to);
            }};
    // clang-format on
}

struct OrderRow {
    const char* name;
    std::function<void(const std::string& folder)> write;
    Steps steps;
};

// A kill cannot show a missing flush: the data must be on the disk before the new name is.
TEST_F(DurableFile, FlushesAndClosesTheNewFileBeforeTheRenameAndTheFolderAfterIt) {
    const auto copyToCard = [](const std::string& folder) {
        testsupport::WriteFile(folder + "/BLITZ.staged", "map");
        platform::CopyFileAtomically(folder + "/BLITZ.staged", folder + "/BLITZ.map");
    };
    const auto writeHive = [](const std::string&) { registrytest::StoreText("K", "v", "1"); };
    // clang-format off
    const OrderRow rows[] = {
        {.name = "card copy", .write = copyToCard,
         .steps = {"flush .BLITZ.map.marquill", "close .BLITZ.map.marquill",
                   "rename .BLITZ.map.marquill BLITZ.map", "flush cache"}},
        {.name = "hive writer", .write = writeHive,
         .steps = {"flush registry.reg.tmp", "close registry.reg.tmp",
                   "rename registry.reg.tmp registry.reg", "flush marquill"}},
    };
    // clang-format on
    ASSERT_EQ(registrytest::StoreText("K", "v", "0"), platform::ERROR_SUCCESS);  // the key exists
    for (const OrderRow& row : rows) {
        Steps steps;
        platform::test_seams::SetDurableFileSteps(RecordingInto(steps));
        row.write(CacheHome());
        platform::test_seams::SetDurableFileSteps({});
        EXPECT_EQ(steps, row.steps) << row.name;
    }
}

TEST_F(DurableFile, TheNextHiveWriterRemovesALeftoverTemporaryFile) {
    ASSERT_EQ(registrytest::StoreText("K", "v", "1"), platform::ERROR_SUCCESS);
    testsupport::WriteFile(HivePath() + ".tmp", "REGEDIT4\n[HKEY_LOCAL_MACHINE\\K]\n\"v\"=\"h");
    ASSERT_EQ(registrytest::StoreText("K", "w", "2"), platform::ERROR_SUCCESS);
    EXPECT_FALSE(testsupport::FileExists(HivePath() + ".tmp"));
    EXPECT_EQ(registrytest::Query("K", "v"), registrytest::Text("1"));
}

}  // namespace
