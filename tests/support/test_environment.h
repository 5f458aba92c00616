#pragma once

#include <gtest/gtest.h>

#include <memory>

#include "support/temp_folder.h"

namespace testsupport {

// Points XDG_CONFIG_HOME, XDG_CACHE_HOME and HOME at a fresh temporary folder for the whole
// test program, so no test can reach the user's own settings.
void IsolateFromUserHome();

// A test whose registry hive and cache folder are its own: fresh XDG folders for each test.
class IsolatedTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    const std::string& ConfigHome() const { return configHome_; }
    const std::string& CacheHome() const { return cacheHome_; }
    std::string HivePath() const { return configHome_ + "/marquill/registry.reg"; }

private:
    std::unique_ptr<TempFolder> folder_;
    std::string configHome_;
    std::string cacheHome_;
};

}  // namespace testsupport
