#include "core/vbreg/system_info.h"

#include <gtest/gtest.h>

#include <string>

#include "core/vbreg/is_process.h"
#include "core/vbreg/registry_keys.h"
#include "core/vbreg/registry_strings.h"
#include "support/scripted_runtime.h"
#include "support/temp_folder.h"
#include "support/test_environment.h"

namespace {

// Numbers, not text: as text "2.10.0" sorts below "2.4.0". Anything unparsable consults nothing.
TEST(SystemRules, ProcessListAboveTwoFourZeroAndTheKeyOfTheNtPlatform) {
    const struct {
        const char* version;
        bool consults;
        const char* key;
    } rows[] = {
        {.version = "2.5.0", .consults = true, .key = vbreg::kNtVersionKey},
        {.version = "2.6.18", .consults = true, .key = vbreg::kNtVersionKey},
        {.version = "2.10.0", .consults = true, .key = vbreg::kNtVersionKey},
        {.version = "2.4.1", .consults = true, .key = vbreg::kNtVersionKey},
        {.version = "2.99999999999999999999.0", .consults = true, .key = vbreg::kNtVersionKey},
        {.version = "2.4.0", .consults = false, .key = vbreg::kNtVersionKey},
        {.version = "1.4.10", .consults = false, .key = vbreg::kWindowsVersionKey},
        {.version = "0.9.9", .consults = false, .key = vbreg::kWindowsVersionKey},
        {.version = "", .consults = false, .key = vbreg::kWindowsVersionKey},
        {.version = "2.x.0", .consults = false, .key = vbreg::kNtVersionKey},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(vbreg::ConsultsProcessList(row.version), row.consults) << row.version;
        EXPECT_EQ(vbreg::WindowsDirKeyFor(row.version), row.key) << row.version;
    }
    EXPECT_EQ(vbreg::ShortVersionText(1, 4, 10), "1.4.10");
}

using GetWindowsDirTest = testsupport::IsolatedTest;

// Nothing stored: the private cache folder. An unreadable value is reported by the registry read.
TEST_F(GetWindowsDirTest, ReturnsTheStoredFolderUnchangedOrEmptyWhenUnreadable) {
    testsupport::ScriptedRuntime runtime;
    EXPECT_EQ(vbreg::GetWindowsDir(), CacheHome() + "/marquill");
    ASSERT_EQ(vbreg::WriteRegString(vbreg::kNtVersionKey, "SystemRoot", "C:\\WINNT\\"), 0);
    EXPECT_EQ(vbreg::GetWindowsDir(), "C:\\WINNT\\");
    EXPECT_TRUE(runtime.Boxes().empty());
    testsupport::WriteFile(HivePath(), std::string("REGEDIT4\r\n\r\n[HKEY_LOCAL_MACHINE\\") +
                                           vbreg::kNtVersionKey +
                                           "]\r\n\"SystemRoot\"=hex(1):\r\n");  // size 0
    EXPECT_EQ(vbreg::GetWindowsDir(), "");
    EXPECT_EQ(runtime.Boxes().size(), 1u);
    EXPECT_FALSE(runtime.Ended());
}

}  // namespace
