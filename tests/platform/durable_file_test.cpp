#include <gtest/gtest.h>
#include <unistd.h>

#include <climits>
#include <functional>
#include <string>
#include <vector>

#include "platform/durable_file_testing.h"
#include "platform/registry_test_util.h"
#include "support/test_environment.h"

namespace {

using platform::test_seams::DurableFileSteps;
using Steps = std::vector<std::string>;

std::string NameBehind(int fd) {
    char path[PATH_MAX] = {};
    const ssize_t length =
        readlink(("/proc/self/fd/" + std::to_string(fd)).c_str(), path, sizeof path);
    const std::string full(path, length > 0 ? static_cast<std::size_t>(length) : 0);
    return full.substr(full.rfind('/') + 1);
}

std::string NameOf(const char* path) {
    const std::string full = path;
    return full.substr(full.rfind('/') + 1);
}

// Records each step by the name of the file it acts on, then takes it.
DurableFileSteps RecordingInto(Steps& steps) {
    return {
        .flush =
            [&steps](int fd) {
                steps.push_back("flush " + NameBehind(fd));
                return fsync(fd);
            },
        .close =
            [&steps](int fd) {
                steps.push_back("close " + NameBehind(fd));
                return close(fd);
            },
        .rename =
            [&steps](const char* from, const char* to) {
                steps.push_back("rename " + NameOf(from) + " " + NameOf(to));
                return std::rename(from, to);
            },
    };
}

struct OrderRow {
    const char* name;
    std::function<void(const std::string& folder)> write;
    Steps steps;
};

using DurableFile = testsupport::IsolatedTest;

// A kill cannot show a missing flush: the data must be on the disk before the new name is.
TEST_F(DurableFile, FlushesAndClosesTheNewFileBeforeTheRenameAndTheFolderAfterIt) {
    const OrderRow rows[] = {
        {.name = "card copy",
         .write =
             [](const std::string& folder) {
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
