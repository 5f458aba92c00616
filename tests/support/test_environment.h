#pragma once
// What keeps a test from the system's shared state: the environment, the user's home and the
// registry that the program reads and writes.

#include <gtest/gtest.h>

#include <memory>

#include "support/temp_folder.h"

namespace testsupport {

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
    void TearDown() override { DropTestRegistry(); }

    std::string ConfigHome() const { return folder_->Path() + "/config"; }
    std::string CacheHome() const { return folder_->Path() + "/cache"; }
    // Linux only: the hive file.
    std::string HivePath() const { return ConfigHome() + "/marquill/registry.reg"; }

private:
    std::unique_ptr<TempFolder> folder_;
};

}  // namespace testsupport
