#include "core/vbreg/system_info.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>

#include "core/vbreg/is_process.h"
#include "core/vbreg/registry_keys.h"
#include "support/test_environment.h"

namespace {

// Numbers, not text: as text "2.10.0" sorts below "2.4.0".
TEST(SystemRules, ProcessListAboveTwoFourZeroAndTheKeyOfTheNtPlatform) {
    const std::string nt = vbreg::kNtVersionKey, windows = vbreg::kWindowsVersionKey;
    // clang-format off
    struct Row { const char* version; bool consults; std::string key; };
    const Row rows[] = {
        {.version = "2.10.0", .consults = true,  .key = nt},
        {.version = "2.4.0",  .consults = false, .key = nt},
        {.version = "1.4.10", .consults = false, .key = windows},
    };
    // clang-format on
    for (const Row& row : rows) {
        EXPECT_EQ(vbreg::ConsultsProcessList(row.version), row.consults) << row.version;
        EXPECT_EQ(vbreg::WindowsDirKeyFor(row.version), row.key) << row.version;
    }
}

using WindowsDir = testsupport::IsolatedTest;

enum class InTheWay { kNothing, kOtherUsersFolder, kOpenFolder, kLink };
enum class Answer { kCacheFolder, kTempFolder, kNowhere };

// What someone else may have put where our folder in $TMPDIR belongs.
void PutInTheWay(InTheWay what, const std::string& path) {
    // A link to a private folder of ours that is not meant for staging.
    if (what == InTheWay::kLink) mkdir((path + "-elsewhere").c_str(), 0700);
    if (what == InTheWay::kLink) symlink((path + "-elsewhere").c_str(), path.c_str());
    if (what == InTheWay::kOpenFolder || what == InTheWay::kOtherUsersFolder)
        mkdir(path.c_str(), 0);
    if (what == InTheWay::kOpenFolder) chmod(path.c_str(), 0777);
    if (what == InTheWay::kOtherUsersFolder) chown(path.c_str(), 42, 42);
}

// Unless stored, the system answers the user's cache folder, whose staging folder it makes:
// short enough for the 255-byte read, private, and never one that someone else could reach.
TEST_F(WindowsDir, WithoutAStoredOneIsAlwaysOneTheProgramCanUse) {
    using enum InTheWay;
    using enum Answer;
    // The length of a longer XDG_CACHE_HOME below the test's own, what is in the way of our
    // folder in $TMPDIR, and the folder answered.
    // clang-format off
    struct Row { const char* name; std::size_t cache = 0; InTheWay way = kNothing; Answer answer; };
    const Row rows[] = {
        {.name = "240 bytes",      .cache = 200,                           .answer = kCacheFolder},
        {.name = "cache too long", .cache = 250,                           .answer = kTempFolder},
        {.name = "another user's", .cache = 250, .way = kOtherUsersFolder, .answer = kNowhere},
        {.name = "an open folder", .cache = 250, .way = kOpenFolder,       .answer = kNowhere},
        {.name = "a link",         .cache = 250, .way = kLink,             .answer = kNowhere},
    };
    // clang-format on
    const char* tmpdir = std::getenv("TMPDIR");
    const std::string keptTmpdir = tmpdir != nullptr ? tmpdir : "";
    for (const Row& row : rows) {
        testsupport::TempFolder temp;
        setenv("TMPDIR", temp.Path().c_str(), 1);
        const std::string ours = temp.Path() + "/marquill-" + std::to_string(getuid());
        const std::string cache = CacheHome() + "/" + std::string(row.cache, 'c');
        setenv("XDG_CACHE_HOME", cache.c_str(), 1);
        PutInTheWay(row.way, ours);
        const std::string answers[] = {cache + "/marquill", ours, "/nonexistent/marquill"};
        const std::string& expected = answers[static_cast<int>(row.answer)];
        EXPECT_EQ(vbreg::GetWindowsDir(), expected) << row.name;
        if (row.answer != kNowhere) {
            struct stat info {};
            EXPECT_EQ(stat((expected + "/temp").c_str(), &info), 0) << row.name;
            EXPECT_EQ(info.st_mode & (S_IFMT | 0777), S_IFDIR | 0700u) << row.name;
        }
        keptTmpdir.empty() ? unsetenv("TMPDIR") : setenv("TMPDIR", keptTmpdir.c_str(), 1);
    }
}

}  // namespace
