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

using DurableFile = testsupport::IsolatedTest;

// A kill cannot show a missing flush: the data must be on the disk before the new name is.
TEST_F(DurableFile, FlushesAndClosesTheNewFileBeforeTheRenameAndTheFolderAfterIt) {
    // clang-format off
    const OrderRow rows[] = {
        {.name = "card copy",
         .write = [](const std::string& folder) {
             testsupport::WriteFile(folder + "/BLITZ.staged", "map");
             platform::CopyFileAtomically(folder + "/BLITZ.staged", folder + "/BLITZ.map");
         },
         .steps = {"flush .BLITZ.map.marquill", "close .BLITZ.map.marquill",
                   "rename .BLITZ.map.marquill BLITZ.map", "flush cache"}},
        {.name = "hive writer",
         .write = [](const std::string&) { registrytest::StoreText("K", "v", "1"); },
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

}  // namespace
