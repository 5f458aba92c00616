#include "core/vbreg/system_info.h"

#include <gtest/gtest.h>
#include <sys/utsname.h>

#include <cstdio>
#include <string>
#include <utility>

#include "core/vbreg/is_process.h"
#include "core/vbreg/registry_strings.h"
#include "support/scripted_runtime.h"
#include "support/temp_folder.h"
#include "support/test_environment.h"

namespace {

constexpr const char* kNtKey = "Software\\Microsoft\\Windows NT\\CurrentVersion";
constexpr const char* kWindowsKey = "Software\\Microsoft\\Windows\\CurrentVersion";

TEST(SystemRules, ShortVersionWritesEveryNumberInFull) {
    EXPECT_EQ(vbreg::ShortVersionText(1, 4, 10), "1.4.10");
    EXPECT_EQ(vbreg::ShortVersionText(2, 10, 0), "2.10.0");
}

// Numbers, not text: as text "2.10.0" sorts below "2.4.0". Anything unparsable consults nothing.
TEST(SystemRules, ProcessListAboveTwoFourZeroAndTheKeyOfTheNtPlatform) {
    const struct {
        const char* version;
        bool consults, nt;
    } cases[] = {
        {"2.5.0", true, true},   {"2.5.1", true, true},    {"2.6.18", true, true},
        {"2.10.0", true, true},  {"2.4.1", true, true},    {"2.99999999999999999999.0", true, true},
        {"2.4.0", false, true},  {"1.4.10", false, false}, {"1.4.90", false, false},
        {"0.9.9", false, false}, {"", false, false},       {"2.x.0", false, true},
    };
    for (const auto& c : cases)
        EXPECT_EQ(
            std::pair(vbreg::ConsultsProcessList(c.version), vbreg::WindowsDirKeyFor(c.version)),
            std::pair(c.consults, std::string(c.nt ? kNtKey : kWindowsKey)))
            << c.version;
}

TEST(GetOSVersion, ReportsTheKernelReleaseAsAnNtSystem) {
    utsname name{};
    ASSERT_EQ(uname(&name), 0);
    unsigned major = 0, minor = 0;
    ASSERT_EQ(std::sscanf(name.release, "%u.%u", &major, &minor), 2) << name.release;
    EXPECT_EQ(vbreg::GetOSVersion(), "2." + std::to_string(major) + "." + std::to_string(minor));
}

using GetWindowsDirTest = testsupport::IsolatedTest;

// Nothing stored: the private cache folder. An unreadable value is reported by the registry read.
TEST_F(GetWindowsDirTest, ReturnsTheStoredFolderUnchangedOrEmptyWhenUnreadable) {
    testsupport::ScriptedRuntime runtime;
    EXPECT_EQ(vbreg::GetWindowsDir(), CacheHome() + "/marquill");
    ASSERT_EQ(vbreg::WriteRegString(kNtKey, "SystemRoot", "C:\\WINNT\\"), 0);
    EXPECT_EQ(vbreg::GetWindowsDir(), "C:\\WINNT\\");
    EXPECT_TRUE(runtime.Boxes().empty());
    testsupport::WriteFile(HivePath(), std::string("REGEDIT4\r\n\r\n[HKEY_LOCAL_MACHINE\\") +
                                           kNtKey + "]\r\n\"SystemRoot\"=hex(1):\r\n");  // size 0
    EXPECT_EQ(vbreg::GetWindowsDir(), "");
    EXPECT_EQ(runtime.Boxes().size(), 1u);
    EXPECT_FALSE(runtime.Ended());
}

}  // namespace
