#pragma once
// What keeps a test from the system's shared state: the environment, the user's home and the
// registry that the program reads and writes.

#include <gtest/gtest.h>

#include <memory>

#include "support/temp_folder.h"

namespace testsupport {

void SetEnvironment(const std::string& name, const std::string& value);

// Gives the test a registry of its own, without the program's keys. Linux: a fresh hive and
// cache below `root` (XDG_CONFIG_HOME, XDG_CACHE_HOME). Windows, whose registry every program
// shares: the settings key's "SOFTWARE\Tarvo" and NavMan's uninstall entry deleted.
void UseFreshRegistry(const std::string& root);
// Removes what a test left in a registry that outlives it (Windows).
void DropTestRegistry();

// Points XDG_CONFIG_HOME, XDG_CACHE_HOME and HOME at a fresh temporary folder for the whole
// test program, so no test can reach the user's own settings (on Windows: the program's keys
// start deleted).
void IsolateFromUserHome();

// A test whose registry and cache folder are its own: fresh XDG folders for each test on
// Linux, the program's keys deleted before and after each test on Windows.
class IsolatedTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    const std::string& ConfigHome() const { return configHome_; }
    const std::string& CacheHome() const { return cacheHome_; }
    // Linux only: the hive file.
    std::string HivePath() const { return configHome_ + "/marquill/registry.reg"; }

private:
    std::unique_ptr<TempFolder> folder_;
    std::string configHome_;
    std::string cacheHome_;
};

}  // namespace testsupport
