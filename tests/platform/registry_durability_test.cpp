#include <gtest/gtest.h>
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
