#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/file.h>
#include <unistd.h>

#include <random>
#include <string>

#include "platform/platform.h"
#include "registry_test_util.h"
#include "support/test_environment.h"

namespace {

using platform::ERROR_SUCCESS;
using registrytest::ExitCode;
using registrytest::Query;
using registrytest::Spawn;
using registrytest::StoreText;
using registrytest::Text;

using RegistryDurability = testsupport::IsolatedTest;

TEST_F(RegistryDurability, TheNextWriterRemovesALeftoverTemporaryFile) {
    ASSERT_EQ(StoreText("K", "v", "1"), ERROR_SUCCESS);
    testsupport::WriteFile(HivePath() + ".tmp", "REGEDIT4\n[HKEY_LOCAL_MACHINE\\K]\n\"v\"=\"h");
    ASSERT_EQ(StoreText("K", "w", "2"), ERROR_SUCCESS);
    EXPECT_FALSE(testsupport::FileExists(HivePath() + ".tmp"));
    EXPECT_EQ(Query("K", "v"), Text("1"));
}

// A writer waits while another process holds the lock, then builds on that process's hive.
TEST_F(RegistryDurability, AWriterWaitsForTheLockAndRereadsTheHive) {
    ASSERT_EQ(StoreText("K", "v", "1"), ERROR_SUCCESS);
    int ready[2];
    ASSERT_EQ(pipe(ready), 0);
    const pid_t holder = Spawn([&] {
        flock(open((HivePath() + ".lock").c_str(), O_RDWR), LOCK_EX);
        (void)!write(ready[1], "x", 1);
        usleep(200'000);
        testsupport::WriteFile(HivePath(), "REGEDIT4\n[HKEY_LOCAL_MACHINE\\K]\n\"h\"=\"held\"\n");
        return 0;
    });
    char signal = 0;
    ASSERT_EQ(read(ready[0], &signal, 1), 1);
    EXPECT_EQ(StoreText("K", "w", "2"), ERROR_SUCCESS);
    ExitCode(holder);
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
        const pid_t writer = Spawn([&] {
            for (int i = 0;; ++i) StoreText("K", "v", i % 2 == 0 ? second : first);
            return 0;
        });
        usleep(static_cast<useconds_t>(delayMicroseconds(random)));
        kill(writer, SIGKILL);
        ExitCode(writer);
        ASSERT_EQ(Query("K", "keep"), Text("always")) << "round " << round;
        const auto value = Query("K", "v");
        ASSERT_TRUE(value == Text(first) || value == Text(second)) << "round " << round;
    }
}

TEST_F(RegistryDurability, ConcurrentWritersKeepEachOthersValues) {
    auto writeMany = [](const std::string& name) {
        return [name] {
            for (int i = 0; i < 25; ++i) {
                if (StoreText("K", name, name + std::to_string(i)) != ERROR_SUCCESS) return 1;
            }
            return 0;
        };
    };
    const pid_t a = Spawn(writeMany("a"));
    const pid_t b = Spawn(writeMany("b"));
    EXPECT_EQ(ExitCode(a), 0);
    EXPECT_EQ(ExitCode(b), 0);
    EXPECT_EQ(Query("K", "a"), Text("a24"));
    EXPECT_EQ(Query("K", "b"), Text("b24"));
}

}  // namespace
