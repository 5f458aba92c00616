#include <gtest/gtest.h>
#include <sys/utsname.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "core/vbreg/system_rules.h"
#include "core/vbreg/vbreg.h"
#include "support/scripted_runtime.h"
#include "support/temp_folder.h"
#include "support/test_environment.h"

namespace {

constexpr const char* kNtKey = "Software\\Microsoft\\Windows NT\\CurrentVersion";
constexpr const char* kWindowsKey = "Software\\Microsoft\\Windows\\CurrentVersion";

TEST(ShortVersionText, WritesEveryNumberInFull) {
    const struct {
        std::uint32_t platformId, major, minor;
        const char* expected;
    } cases[] = {
        {1, 4, 0, "1.4.0"},
        {1, 4, 10, "1.4.10"},
        {1, 4, 90, "1.4.90"},
        {2, 4, 0, "2.4.0"},
        {2, 5, 0, "2.5.0"},
        {2, 5, 1, "2.5.1"},
        {2, 6, 2, "2.6.2"},
        {2, 10, 0, "2.10.0"},
        {0, 0, 0, "0.0.0"},
        {2, 6, 118, "2.6.118"},
        {4294967295u, 4294967295u, 4294967295u, "4294967295.4294967295.4294967295"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(vbreg::ShortVersionText(c.platformId, c.major, c.minor), c.expected);
    }
}

TEST(ConsultsProcessList, ComparesTheNumbersWithTwoFourZero) {
    const struct {
        const char* version;
        bool consults;
    } cases[] = {
        {"2.5.0", true},    {"2.5.1", true},    {"2.6.0", true},
        {"2.6.1", true},    {"2.6.2", true},    {"2.6.18", true},
        {"2.10.0", true},   {"2.4.1", true},    {"3.0.0", true},
        {"10.0.0", true},   {"2.04.01", true},  {"2.99999999999999999999.0", true},
        {"2.4.0", false},   {"2.4.00", false},  {"02.4.0", false},
        {"2.3.99", false},  {"1.4.0", false},   {"1.4.10", false},
        {"1.4.90", false},  {"1.99.99", false}, {"0.0.0", false},
        {"0.9.9", false},   {"", false},        {"2.5", false},
        {"2.5.0.1", false}, {"2.x.0", false},   {"2..0", false},
        {"-2.5.0", false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(vbreg::ConsultsProcessList(c.version), c.consults) << c.version;
    }
}

TEST(WindowsDirKeyFor, NtFamilyReadsTheNtKey) {
    const struct {
        const char* version;
        const char* key;
    } cases[] = {
        {"2.5.1", kNtKey},       {"2.4.0", kNtKey},      {"2.10.0", kNtKey},
        {"1.4.10", kWindowsKey}, {"0.0.0", kWindowsKey}, {"", kWindowsKey},
    };
    for (const auto& c : cases) EXPECT_EQ(vbreg::WindowsDirKeyFor(c.version), c.key) << c.version;
}

TEST(GetOSVersion, ReportsTheKernelReleaseAsAnNtSystem) {
    utsname name{};
    ASSERT_EQ(uname(&name), 0);
    unsigned major = 0, minor = 0;
    ASSERT_EQ(std::sscanf(name.release, "%u.%u", &major, &minor), 2) << name.release;
    EXPECT_EQ(vbreg::GetOSVersion(), "2." + std::to_string(major) + "." + std::to_string(minor));
}

class GetWindowsDirTest : public testsupport::IsolatedTest {
protected:
    void WriteHive(const std::string& valueLine, const char* key = kNtKey) {
        std::filesystem::create_directories(ConfigHome() + "/marquill");
        testsupport::WriteFile(HivePath(), std::string("REGEDIT4\r\n\r\n[HKEY_LOCAL_MACHINE\\") +
                                               key + "]\r\n" + valueLine + "\r\n");
    }

    testsupport::ScriptedRuntime runtime;
};

TEST_F(GetWindowsDirTest, ReturnsStoredSystemRootUnchanged) {
    for (const std::string folder : {"/srv/win", "C:\\WINDOWS", "/srv/win/", "C:\\WINNT\\"}) {
        ASSERT_EQ(vbreg::WriteRegString(kNtKey, "SystemRoot", folder), 0);
        EXPECT_EQ(vbreg::GetWindowsDir(), folder);
    }
    EXPECT_TRUE(runtime.Boxes().empty());
}

TEST_F(GetWindowsDirTest, IgnoresTheKeyOfOtherSystems) {
    WriteHive("\"SystemRoot\"=\"/elsewhere\"", kWindowsKey);
    EXPECT_NE(vbreg::GetWindowsDir(), "/elsewhere");
}

TEST_F(GetWindowsDirTest, WithoutStoredValueUsesThePrivateCacheFolderSilently) {
    EXPECT_EQ(vbreg::GetWindowsDir(), CacheHome() + "/marquill");
    EXPECT_TRUE(runtime.Boxes().empty());
}

TEST_F(GetWindowsDirTest, UnreadableValueGivesEmptyText) {
    WriteHive("\"SystemRoot\"=hex(1):");  // size 0: a runtime error inside the read
    EXPECT_EQ(vbreg::GetWindowsDir(), "");
    ASSERT_EQ(runtime.Boxes().size(), 1u);
    EXPECT_FALSE(runtime.Ended());
}

}  // namespace
