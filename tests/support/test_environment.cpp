#include "support/test_environment.h"

#include <stdlib.h>

#include <filesystem>

namespace testsupport {

namespace {

void PointXdgAt(const std::string& root, std::string* config, std::string* cache) {
    *config = root + "/config";
    *cache = root + "/cache";
    std::filesystem::create_directories(*config);
    std::filesystem::create_directories(*cache);
    setenv("XDG_CONFIG_HOME", config->c_str(), 1);
    setenv("XDG_CACHE_HOME", cache->c_str(), 1);
}

}  // namespace

void IsolateFromUserHome() {
    static TempFolder programHome;  // lives until the test program ends
    std::string config, cache;
    PointXdgAt(programHome.Path(), &config, &cache);
    setenv("HOME", programHome.Path().c_str(), 1);
}

void IsolatedTest::SetUp() {
    folder_ = std::make_unique<TempFolder>();
    PointXdgAt(folder_->Path(), &configHome_, &cacheHome_);
}

void IsolatedTest::TearDown() {
    folder_.reset();
}

}  // namespace testsupport
