#pragma once

#include <gtest/gtest.h>

#include <memory>

#include "support/temp_folder.h"

namespace testsupport {

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
