#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
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

// The steps `write` takes, each by the name of the file it acts on.
Steps StepsOf(const std::function<void()>& write) {
    Steps steps;
    const auto nameBehind = [](int fd) {
        return NameOf(std::filesystem::read_symlink("/proc/self/fd/" + std::to_string(fd)));
    };
    // clang-format off
    platform::test_seams::SetDurableFileSteps(
        {.flush = [&](int fd) { return steps.push_back("flush " + nameBehind(fd)), fsync(fd); },
         .close = [&](int fd) { return steps.push_back("close " + nameBehind(fd)), close(fd); },
         .rename = [&](const char* from, const char* to) {
             steps.push_back("rename " + NameOf(from) + " " + NameOf(to));
             return std::rename(from, to);
         }});
    // clang-format on
    write();
    platform::test_seams::SetDurableFileSteps({});
    return steps;
}

// A kill cannot show a missing flush: the data must be on the disk before the new name is.
TEST_F(DurableFile, FlushesAndClosesTheNewFileBeforeTheRenameAndTheFolderAfterIt) {
    const std::string staged = CacheHome() + "/BLITZ.staged";
    testsupport::WriteFile(staged, "map");
    EXPECT_EQ(StepsOf([&] { platform::CopyFileAtomically(staged, CacheHome() + "/BLITZ.map"); }),
              (Steps{"flush .BLITZ.map.marquill", "close .BLITZ.map.marquill",
                     "rename .BLITZ.map.marquill BLITZ.map", "flush cache"}));
    ASSERT_EQ(registrytest::StoreText("K", "v", "0"), platform::ERROR_SUCCESS);  // the key exists
    // Left by a writer killed before its rename: the next writer must still get through.
    testsupport::WriteFile(HivePath() + ".tmp", "REGEDIT4\n");
    EXPECT_EQ(StepsOf([] { registrytest::StoreText("K", "v", "1"); }),
              (Steps{"flush registry.reg.tmp", "close registry.reg.tmp",
                     "rename registry.reg.tmp registry.reg", "flush marquill"}));
}

}  // namespace
