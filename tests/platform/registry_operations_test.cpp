#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/stat.h>

#include <filesystem>
#include <string>

#include "platform/platform.h"
#include "registry_test_util.h"
#include "support/test_environment.h"

namespace {

using namespace std::string_literals;
using namespace platform;
using registrytest::Query;
using registrytest::StoredValue;
using registrytest::StoreText;
using testsupport::FileExists;
using testsupport::ReadFile;

using RegistryOperations = testsupport::IsolatedTest;

const char* const kSettingsKey = "SOFTWARE\\Tarvo\\Marquill\\";

HKEY OpenForQuery(const std::string& key) {
    HKEY handle = 0;
    return RegOpenKeyEx(HKEY_LOCAL_MACHINE, key, 0, KEY_QUERY_VALUE, &handle) == ERROR_SUCCESS
               ? handle
               : 0;
}

TEST_F(RegistryOperations, WithoutAHiveNoKeyOpensAndNothingIsCreated) {
    HKEY handle = 123;
    EXPECT_EQ(RegOpenKeyEx(HKEY_LOCAL_MACHINE, kSettingsKey, 0, KEY_QUERY_VALUE, &handle),
              ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(handle, 0u);
    EXPECT_FALSE(std::filesystem::exists(ConfigHome() + "/marquill"));
}

TEST_F(RegistryOperations, CreatingAKeyCreatesTheFolderAndEveryMissingLevel) {
    std::filesystem::remove_all(ConfigHome());
    HKEY handle = 0;
    std::uint32_t disposition = 0;
    ASSERT_EQ(RegCreateKeyEx(HKEY_LOCAL_MACHINE, kSettingsKey, 0, "", 0, 63, nullptr, &handle,
                             &disposition),
              ERROR_SUCCESS);
    EXPECT_NE(handle, 0u);
    EXPECT_EQ(disposition, REG_CREATED_NEW_KEY);
    RegCloseKey(handle);
    for (const char* level : {"SOFTWARE", "SOFTWARE\\Tarvo", "SOFTWARE\\Tarvo\\Marquill"}) {
        const HKEY opened = OpenForQuery(level);
        EXPECT_NE(opened, 0u) << level;
        RegCloseKey(opened);
    }
    ASSERT_EQ(RegCreateKeyEx(HKEY_LOCAL_MACHINE, "software\\tarvo\\marquill", 0, "", 0, 63, nullptr,
                             &handle, &disposition),
              ERROR_SUCCESS);
    EXPECT_EQ(disposition, REG_OPENED_EXISTING_KEY);
    RegCloseKey(handle);
}

TEST_F(RegistryOperations, KeyAndValueNamesIgnoreCaseAndEmptyComponents) {
    ASSERT_EQ(StoreText(kSettingsKey, "Path_POI", "/poi/"), ERROR_SUCCESS);
    for (const char* key : {"SOFTWARE\\Tarvo\\Marquill\\", "SOFTWARE\\Tarvo\\Marquill",
                            "software\\TARVO\\marquill", "\\SOFTWARE\\\\Tarvo\\Marquill\\\\"}) {
        for (const char* name : {"Path_POI", "PATH_poi"}) {
            EXPECT_EQ(Query(key, name), (StoredValue{REG_SZ, "/poi/\0"s})) << key << " " << name;
        }
    }
    ASSERT_EQ(StoreText("software\\tarvo\\marquill", "PATH_POI", "/neu/"), ERROR_SUCCESS);
    EXPECT_EQ(Query(kSettingsKey, "Path_POI"), (StoredValue{REG_SZ, "/neu/\0"s}));
    // One key, one value, spelled as first written.
    const std::string text = ReadFile(HivePath());
    EXPECT_NE(text.find("\"Path_POI\"=\"/neu/\""), std::string::npos) << text;
    EXPECT_EQ(text.find("tarvo"), std::string::npos) << text;
}

TEST_F(RegistryOperations, QueryReportsSizesAndShortBuffers) {
    ASSERT_EQ(StoreText("K", "v", "abcd"), ERROR_SUCCESS);
    const HKEY key = OpenForQuery("K");
    ASSERT_NE(key, 0u);
    unsigned char buffer[8] = {};
    std::uint32_t type = 0;
    struct Case {
        std::uint32_t offered;
        LSTATUS status;
    };
    for (const Case c : {Case{4, ERROR_MORE_DATA}, Case{5, ERROR_SUCCESS}, Case{8, ERROR_SUCCESS},
                         Case{0, ERROR_MORE_DATA}}) {
        std::uint32_t size = c.offered;
        EXPECT_EQ(RegQueryValueEx(key, "v", &type, buffer, &size), c.status) << c.offered;
        EXPECT_EQ(size, 5u) << c.offered;
        EXPECT_EQ(type, REG_SZ);
    }
    EXPECT_EQ(std::string(reinterpret_cast<char*>(buffer), 5), "abcd\0"s);
    std::uint32_t size = 0;
    EXPECT_EQ(RegQueryValueEx(key, "v", nullptr, nullptr, &size), ERROR_SUCCESS);
    EXPECT_EQ(size, 5u);
    EXPECT_EQ(RegQueryValueEx(key, "missing", &type, buffer, &size), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(RegCloseKey(key), ERROR_SUCCESS);
    EXPECT_EQ(RegQueryValueEx(key, "v", &type, buffer, &size), ERROR_INVALID_HANDLE);
    EXPECT_EQ(RegCloseKey(key), ERROR_INVALID_HANDLE);
}

TEST_F(RegistryOperations, HandlesDoOnlyWhatTheyWereOpenedFor) {
    ASSERT_EQ(StoreText("K", "v", "1"), ERROR_SUCCESS);
    const HKEY readOnly = OpenForQuery("K");
    const unsigned char data[] = {'2', 0};
    EXPECT_EQ(RegSetValueEx(readOnly, "v", 0, REG_SZ, data, 2), ERROR_ACCESS_DENIED);
    RegCloseKey(readOnly);
    EXPECT_EQ(RegSetValueEx(0, "v", 0, REG_SZ, data, 2), ERROR_INVALID_HANDLE);
    HKEY writeOnly = 0;
    ASSERT_EQ(RegCreateKeyEx(HKEY_LOCAL_MACHINE, "K", 0, "", 0, KEY_SET_VALUE, nullptr, &writeOnly,
                             nullptr),
              ERROR_SUCCESS);
    std::uint32_t size = 0;
    EXPECT_EQ(RegQueryValueEx(writeOnly, "v", nullptr, nullptr, &size), ERROR_ACCESS_DENIED);
    RegCloseKey(writeOnly);
    EXPECT_EQ(Query("K", "v"), (StoredValue{REG_SZ, "1\0"s}));
}

TEST_F(RegistryOperations, SubkeysOpenBelowAnOpenKey) {
    ASSERT_EQ(StoreText("A\\B", "v", "1"), ERROR_SUCCESS);
    const HKEY parent = OpenForQuery("a");
    HKEY child = 0;
    ASSERT_EQ(RegOpenKeyEx(parent, "b\\", 0, KEY_QUERY_VALUE, &child), ERROR_SUCCESS);
    std::uint32_t size = 0;
    EXPECT_EQ(RegQueryValueEx(child, "v", nullptr, nullptr, &size), ERROR_SUCCESS);
    EXPECT_EQ(size, 2u);
    RegCloseKey(child);
    RegCloseKey(parent);
}

TEST_F(RegistryOperations, TheEnvironmentIsReadAtEachOperation) {
    ASSERT_EQ(StoreText("K", "v", "first"), ERROR_SUCCESS);
    testsupport::TempFolder other;
    setenv("XDG_CONFIG_HOME", other.Path().c_str(), 1);
    EXPECT_EQ(Query("K", "v"), std::nullopt);
    ASSERT_EQ(StoreText("K", "v", "second"), ERROR_SUCCESS);
    EXPECT_TRUE(FileExists(other.Path() + "/marquill/registry.reg"));
    setenv("XDG_CONFIG_HOME", ConfigHome().c_str(), 1);
    EXPECT_EQ(Query("K", "v"), (StoredValue{REG_SZ, "first\0"s}));
}

const char* const kWindowsKey = "Software\\Microsoft\\Windows NT\\CurrentVersion";

TEST_F(RegistryOperations, SystemRootIsTheCacheFolderWithAPrivateTempFolder) {
    const std::string folder = CacheHome() + "/marquill";
    std::filesystem::remove_all(folder);
    for (const char* key : {kWindowsKey, "SOFTWARE\\microsoft\\windows nt\\currentversion\\"}) {
        EXPECT_EQ(Query(key, "SystemRoot"), (StoredValue{REG_SZ, folder + "\0"s})) << key;
    }
    struct stat info {};
    ASSERT_EQ(stat((folder + "/temp").c_str(), &info), 0);
    EXPECT_TRUE(S_ISDIR(info.st_mode));
    EXPECT_EQ(info.st_mode & 0777, 0700u);
    EXPECT_EQ(Query(kWindowsKey, "Other"), std::nullopt);
    EXPECT_EQ(Query("Software\\Microsoft\\Windows\\CurrentVersion", "SystemRoot"), std::nullopt);
    // Writing next to it stores only what was written.
    ASSERT_EQ(StoreText(kWindowsKey, "Other", "1"), ERROR_SUCCESS);
    EXPECT_EQ(ReadFile(HivePath()).find("SystemRoot"), std::string::npos);
}

TEST_F(RegistryOperations, SystemRootInTheHiveOverridesTheCacheFolder) {
    ASSERT_EQ(StoreText(kWindowsKey, "SystemRoot", "/win"), ERROR_SUCCESS);
    EXPECT_EQ(Query(kWindowsKey, "SYSTEMROOT"), (StoredValue{REG_SZ, "/win\0"s}));
}

TEST_F(RegistryOperations, SystemRootIsAnsweredEvenBesideABrokenHive) {
    std::filesystem::create_directories(ConfigHome() + "/marquill");
    testsupport::WriteFile(HivePath(), "not a hive");
    EXPECT_EQ(Query(kWindowsKey, "SystemRoot"),
              (StoredValue{REG_SZ, CacheHome() + "/marquill\0"s}));
}

}  // namespace
