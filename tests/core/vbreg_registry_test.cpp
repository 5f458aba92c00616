#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <tuple>

#include "core/vbreg/registry_strings.h"
#include "platform/registry_test_util.h"
#include "support/scripted_runtime.h"
#include "support/test_environment.h"

namespace {

using namespace std::string_literals;
using testsupport::ReadFile;

const char* const kSettingsKey = "SOFTWARE\\Tarvo\\Marquill\\";

class RegistryStrings : public testsupport::IsolatedTest {
protected:
    std::string Read(const std::string& key, const std::string& name) {
        flag_ = 7;  // every read must set the flag
        return vbreg::ReadRegString(vbreg::HKEY_LOCAL_MACHINE, key, name, flag_);
    }

    testsupport::ScriptedRuntime runtime_;
    std::int16_t flag_ = 0;
};

TEST_F(RegistryStrings, FirstStartReadsEmptyTextsSilentlyAndCreatesNothing) {
    EXPECT_EQ(Read(kSettingsKey, "Path_POI"), "");
    EXPECT_EQ(flag_, 0);
    EXPECT_TRUE(runtime_.Boxes().empty());
    EXPECT_FALSE(std::filesystem::exists(ConfigHome() + "/marquill"));
}

TEST_F(RegistryStrings, TheFirstWriteCreatesTheKeysThatAnySpellingReaches) {
    std::filesystem::remove_all(ConfigHome());
    EXPECT_EQ(vbreg::WriteRegString(kSettingsKey, "Path_POI", "/poi/"), 0);
    for (const char* key : {"SOFTWARE\\Tarvo\\Marquill", "software\\TARVO\\marquill\\",
                            "\\SOFTWARE\\\\Tarvo\\Marquill\\\\"})
        EXPECT_EQ(Read(key, "PATH_poi"), "/poi/") << key;
    EXPECT_EQ(vbreg::WriteRegString("software\\tarvo\\marquill", "PATH_POI", "/neu/"), 0);
    EXPECT_EQ(vbreg::WriteRegString(kSettingsKey, "Path_SD", ""), 0);
    // One key and one value, spelled as first written; empty text is one NUL byte.
    const std::string hive = ReadFile(HivePath());
    EXPECT_NE(hive.find("\"Path_POI\"=\"/neu/\"\n\"Path_SD\"=\"\"\n"), std::string::npos) << hive;
    EXPECT_EQ(hive.find("tarvo"), std::string::npos) << hive;
}

struct ReadRow {
    const char* name;
    std::string stored;
    std::string read;
    std::int16_t flag = 0;
};

// The stored size is taken to end with one NUL; 254 bytes fit the buffer, longer reads fail.
TEST_F(RegistryStrings, ReadsWhatFitsTheBufferWithoutItsLastByte) {
    const ReadRow rows[] = {
        {.name = "254 bytes",
         .stored = std::string(254, 'x') + '\0',
         .read = std::string(254, 'x')},
        {.name = "255 bytes", .stored = std::string(255, 'x') + '\0', .read = ""},
        {.name = "without NUL", .stored = "abc", .read = "ab"},
        {.name = "size 0", .stored = "", .read = "", .flag = 1},
    };
    for (const ReadRow& row : rows) {
        EXPECT_EQ(registrytest::Store(kSettingsKey, "Path_POI", platform::REG_SZ, row.stored), 0)
            << row.name;
        EXPECT_EQ(Read(kSettingsKey, "Path_POI"), row.read) << row.name;
        EXPECT_EQ(flag_, row.flag) << row.name;
    }
    // Only the value of size 0 shows the runtime error, and the program goes on.
    ASSERT_EQ(runtime_.Boxes().size(), 1u);
    const auto& box = runtime_.Boxes()[0];
    EXPECT_EQ(std::tie(box.text, box.style, box.title),
              std::tuple("Ungültiges Argument"s, runtime::vbOKOnly, "Marquill"s));
    EXPECT_FALSE(runtime_.Ended());
}

// Root cannot be kept from writing by permissions: a file size limit makes the write fail.
TEST_F(RegistryStrings, AWriteRefusedBySystemReturnsOneAndKeepsTheOldValue) {
    ASSERT_EQ(vbreg::WriteRegString(kSettingsKey, "Path_POI", "/alt/"), 0);
    const auto limit = static_cast<rlim_t>(ReadFile(HivePath()).size());
    const int result = registrytest::ExitCode(registrytest::Spawn([&] {
        signal(SIGXFSZ, SIG_IGN);
        const rlimit small{limit, limit};
        setrlimit(RLIMIT_FSIZE, &small);
        return static_cast<int>(vbreg::WriteRegString(kSettingsKey, "Path_POI", "/neu/laenger/"));
    }));
    EXPECT_EQ(result, 1);
    EXPECT_EQ(Read(kSettingsKey, "Path_POI"), "/alt/");
    EXPECT_FALSE(testsupport::FileExists(HivePath() + ".tmp"));
}

enum class InTheWay { kNothing, kOtherUsersFolder, kOpenFolder, kLink };
enum class Answer { kCacheFolder, kTempFolder, kNowhere, kFromTheHive };

struct WindowsFolderRow {
    const char* name;
    std::size_t cacheNameLength = 0;         // a longer XDG_CACHE_HOME below the test's own
    InTheWay inTheWay = InTheWay::kNothing;  // of our folder in $TMPDIR
    Answer answer;
};

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

// The staging folder lies below the answer: it must be short enough for the 255-byte read,
// private, and never the file-system root.
TEST_F(RegistryStrings, TheWindowsFolderIsAlwaysOneTheProgramCanUse) {
    const char* key = "Software\\Microsoft\\Windows NT\\CurrentVersion";
    // clang-format off
    const WindowsFolderRow rows[] = {
        {.name = "cache folder", .answer = Answer::kCacheFolder},
        {.name = "240 bytes", .cacheNameLength = 200, .answer = Answer::kCacheFolder},
        {.name = "cache folder too long", .cacheNameLength = 250, .answer = Answer::kTempFolder},
        {.name = "another user's folder", .cacheNameLength = 250,
         .inTheWay = InTheWay::kOtherUsersFolder, .answer = Answer::kNowhere},
        {.name = "an open folder", .cacheNameLength = 250, .inTheWay = InTheWay::kOpenFolder,
         .answer = Answer::kNowhere},
        {.name = "a link", .cacheNameLength = 250, .inTheWay = InTheWay::kLink,
         .answer = Answer::kNowhere},
        {.name = "the hive names one", .answer = Answer::kFromTheHive},
    };
    // clang-format on
    const char* tmpdir = std::getenv("TMPDIR");
    const std::string keptTmpdir = tmpdir != nullptr ? tmpdir : "";
    for (const WindowsFolderRow& row : rows) {
        testsupport::TempFolder temp;
        setenv("TMPDIR", temp.Path().c_str(), 1);
        const std::string ours = temp.Path() + "/marquill-" + std::to_string(getuid());
        const std::string cache = CacheHome() + "/" + std::string(row.cacheNameLength, 'c');
        setenv("XDG_CACHE_HOME", cache.c_str(), 1);
        PutInTheWay(row.inTheWay, ours);
        if (row.answer == Answer::kFromTheHive) vbreg::WriteRegString(key, "SystemRoot", "/win");
        const std::string answers[] = {cache + "/marquill", ours, "/nonexistent/marquill", "/win"};
        const std::string& expected = answers[static_cast<int>(row.answer)];
        EXPECT_EQ(Read(key, "SystemRoot"), expected) << row.name;
        if (row.answer == Answer::kCacheFolder || row.answer == Answer::kTempFolder) {
            struct stat info {};
            EXPECT_EQ(stat((expected + "/temp").c_str(), &info), 0) << row.name;
            EXPECT_EQ(info.st_mode & (S_IFMT | 0777), S_IFDIR | 0700u) << row.name;
        }
        std::filesystem::remove(HivePath());
        keptTmpdir.empty() ? unsetenv("TMPDIR") : setenv("TMPDIR", keptTmpdir.c_str(), 1);
    }
}

}  // namespace
