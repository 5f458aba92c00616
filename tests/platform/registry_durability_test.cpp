#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <random>
#include <string>

#include "platform/platform.h"
#include "registry_test_util.h"
#include "support/test_environment.h"

namespace {

using namespace std::string_literals;
using platform::ERROR_SUCCESS;
using platform::REG_SZ;
using registrytest::Query;
using registrytest::StoredValue;
using registrytest::StoreText;
using testsupport::FileExists;
using testsupport::ReadFile;

using RegistryDurability = testsupport::IsolatedTest;

StoredValue Text(const std::string& text) {
    return {REG_SZ, text + "\0"s};
}

TEST_F(RegistryDurability, AWriteRefusedBySystemKeepsTheOldHive) {
    ASSERT_EQ(StoreText("K", "v", "old"), ERROR_SUCCESS);
    const std::string before = ReadFile(HivePath());
    const int status = registrytest::RunWithFileSizeLimit(before.size() + 10, [] {
        return static_cast<int>(StoreText("K", "v", std::string(500, 'n')));
    });
    EXPECT_EQ(status, platform::ERROR_WRITE_FAULT);
    EXPECT_EQ(ReadFile(HivePath()), before);
    EXPECT_FALSE(FileExists(HivePath() + ".tmp"));
    EXPECT_EQ(Query("K", "v"), Text("old"));
}

TEST_F(RegistryDurability, TheNextWriterRemovesALeftoverTemporaryFile) {
    ASSERT_EQ(StoreText("K", "v", "1"), ERROR_SUCCESS);
    testsupport::WriteFile(HivePath() + ".tmp", "REGEDIT4\n[HKEY_LOCAL_MACHINE\\K]\n\"v\"=\"h");
    EXPECT_EQ(Query("K", "v"), Text("1"));
    ASSERT_EQ(StoreText("K", "w", "2"), ERROR_SUCCESS);
    EXPECT_FALSE(FileExists(HivePath() + ".tmp"));
    EXPECT_EQ(Query("K", "v"), Text("1"));
    EXPECT_EQ(Query("K", "w"), Text("2"));
}

// While another process holds the writers' lock and replaces the hive, a writer waits and
// then builds on that process's hive instead of overwriting it.
TEST_F(RegistryDurability, AWriterWaitsForTheLockAndRereadsTheHive) {
    ASSERT_EQ(StoreText("K", "v", "1"), ERROR_SUCCESS);
    int ready[2];
    ASSERT_EQ(pipe(ready), 0);
    const pid_t holder = fork();
    if (holder == 0) {
        const int lock = open((HivePath() + ".lock").c_str(), O_RDWR);
        flock(lock, LOCK_EX);
        (void)!write(ready[1], "x", 1);
        usleep(200'000);
        testsupport::WriteFile(HivePath(),
                               "REGEDIT4\n[HKEY_LOCAL_MACHINE\\K]\n\"v\"=\"1\"\n\"h\"=\"held\"\n");
        _exit(0);
    }
    char signal = 0;
    ASSERT_EQ(read(ready[0], &signal, 1), 1);
    EXPECT_EQ(StoreText("K", "w", "2"), ERROR_SUCCESS);
    waitpid(holder, nullptr, 0);
    close(ready[0]);
    close(ready[1]);
    EXPECT_EQ(Query("K", "h"), Text("held"));
    EXPECT_EQ(Query("K", "w"), Text("2"));
}

TEST_F(RegistryDurability, AWriterKilledAtAnyMomentLeavesTheOldOrTheNewValue) {
    const std::string first(1500, 'a');
    const std::string second(3000, 'b');
    ASSERT_EQ(StoreText("K", "keep", "always"), ERROR_SUCCESS);
    ASSERT_EQ(StoreText("K", "v", first), ERROR_SUCCESS);
    std::mt19937 random(20240601);
    std::uniform_int_distribution<int> delayMicroseconds(0, 25000);
    for (int round = 0; round < 40; ++round) {
        const pid_t writer = fork();
        if (writer == 0) {
            for (int i = 0;; ++i) StoreText("K", "v", i % 2 == 0 ? second : first);
        }
        usleep(static_cast<useconds_t>(delayMicroseconds(random)));
        kill(writer, SIGKILL);
        waitpid(writer, nullptr, 0);
        ASSERT_EQ(Query("K", "keep"), Text("always")) << "round " << round;
        const auto value = Query("K", "v");
        ASSERT_TRUE(value == Text(first) || value == Text(second)) << "round " << round;
    }
    ASSERT_EQ(StoreText("K", "after", "1"), ERROR_SUCCESS);
    EXPECT_FALSE(FileExists(HivePath() + ".tmp"));
}

TEST_F(RegistryDurability, ConcurrentWritersKeepEachOthersValues) {
    constexpr int kWrites = 25;
    auto writeMany = [](const std::string& name) {
        return [name] {
            for (int i = 0; i < kWrites; ++i) {
                if (StoreText("K", name, name + std::to_string(i)) != ERROR_SUCCESS) return 1;
            }
            return 0;
        };
    };
    const pid_t first = fork();
    if (first == 0) _exit(writeMany("a")());
    const int second = registrytest::RunInChild(writeMany("b"));
    int status = 0;
    waitpid(first, &status, 0);
    EXPECT_EQ(second, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    EXPECT_EQ(Query("K", "a"), Text("a" + std::to_string(kWrites - 1)));
    EXPECT_EQ(Query("K", "b"), Text("b" + std::to_string(kWrites - 1)));
}

}  // namespace
