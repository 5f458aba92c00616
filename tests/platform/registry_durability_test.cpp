#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <unistd.h>

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

}  // namespace
