#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/file.h>
#include <unistd.h>

#include <random>
#include <string>

#include "platform/registry_test_util.h"
#include "support/test_environment.h"

namespace {

using namespace registrytest;
using namespace std::string_literals;

using RegistryDurability = testsupport::IsolatedTest;

TEST_F(RegistryDurability, TheNextWriterRemovesALeftoverTemporaryFile) {
    ASSERT_EQ(StoreText("K", "v", "1"), ERROR_SUCCESS);
    testsupport::WriteFile(HivePath() + ".tmp", "REGEDIT4\n[HKEY_LOCAL_MACHINE\\K]\n\"v\"=\"h");
    ASSERT_EQ(StoreText("K", "w", "2"), ERROR_SUCCESS);
    EXPECT_FALSE(testsupport::FileExists(HivePath() + ".tmp"));
    EXPECT_EQ(Query("K", "v"), Text("1"));
}

// While the lock is held elsewhere a writer waits, then builds on the hive it finds.
TEST_F(RegistryDurability, AWriterWaitsForTheLockAndRereadsTheHive) {
    ASSERT_EQ(StoreText("K", "v", "1"), ERROR_SUCCESS);
    const int lock = open((HivePath() + ".lock").c_str(), O_RDWR);
    ASSERT_EQ(flock(lock, LOCK_EX), 0);
    const pid_t writer = Spawn([] { return StoreText("K", "w", "2"); });
    usleep(200'000);
    testsupport::WriteFile(HivePath(), "REGEDIT4\n[HKEY_LOCAL_MACHINE\\K]\n\"h\"=\"held\"\n");
    flock(lock, LOCK_UN);  // the writer shares this descriptor: closing it would not unlock
    close(lock);
    EXPECT_EQ(ExitCode(writer), static_cast<int>(ERROR_SUCCESS));
    EXPECT_EQ(Query("K", "h"), Text("held"));
    EXPECT_EQ(Query("K", "w"), Text("2"));
}

// Editors write in place, often within one tick of the file system's clock and at the same
// size: a hive kept from an earlier read must never hide the change.
TEST_F(RegistryDurability, EveryReadSeesTheFileAsItIsNow) {
    ASSERT_EQ(StoreText("K", "v", "0"), ERROR_SUCCESS);
    for (char round = '1'; round <= '9'; ++round) {
        const std::string hive = "REGEDIT4\n[HKEY_LOCAL_MACHINE\\K]\n\"v\"=\"";
        testsupport::WriteFile(HivePath(), hive + round + "a\"\n");
        usleep(60'000);  // long enough for the parsed hive to be kept
        EXPECT_EQ(Query("K", "v"), Text(round + "a"s)) << round;
        testsupport::WriteFile(HivePath(), hive + round + "b\"\n");
        EXPECT_EQ(Query("K", "v"), Text(round + "b"s)) << round;
        testsupport::WriteFile(HivePath(), hive + round + "c\"\n");
        EXPECT_EQ(Query("K", "v"), Text(round + "c"s)) << round;
    }
}

TEST_F(RegistryDurability, AWriterKilledAtAnyMomentLeavesTheOldOrTheNewValue) {
    const std::string values[] = {std::string(1500, 'a'), std::string(3000, 'b')};
    ASSERT_EQ(StoreText("K", "v", values[0]), ERROR_SUCCESS);
    std::mt19937 random(20240601);
    for (int round = 0; round < 40; ++round) {
        const pid_t writer = Spawn([&] {
            for (int i = 0;; ++i) StoreText("K", "v", values[(i + 1) % 2]);
            return 0;
        });
        usleep(random() % 25'000);
        kill(writer, SIGKILL);
        ExitCode(writer);
        const auto value = Query("K", "v");
        ASSERT_TRUE(value == Text(values[0]) || value == Text(values[1])) << "round " << round;
    }
}

TEST_F(RegistryDurability, ConcurrentWritersKeepEachOthersValues) {
    auto writeMany = [](const std::string& name) {
        return Spawn([name] {
            for (int i = 0; i < 25; ++i)
                if (StoreText("K", name, name + std::to_string(i)) != ERROR_SUCCESS) return 1;
            return 0;
        });
    };
    const pid_t a = writeMany("a");
    EXPECT_EQ(ExitCode(writeMany("b")), 0);
    EXPECT_EQ(ExitCode(a), 0);
    EXPECT_EQ(Query("K", "a"), Text("a24"));
    EXPECT_EQ(Query("K", "b"), Text("b24"));
}

}  // namespace
