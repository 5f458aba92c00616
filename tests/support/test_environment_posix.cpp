#include <stdlib.h>

#include <filesystem>

#include "support/test_environment.h"

namespace testsupport {

void SetEnvironment(const std::string& name, const std::string& value) {
    setenv(name.c_str(), value.c_str(), 1);
}

void UseFreshRegistry(const std::string& root) {
    for (const char* area : {"config", "cache"})
        std::filesystem::create_directories(root + "/" + area);
    SetEnvironment("XDG_CONFIG_HOME", root + "/config");
    SetEnvironment("XDG_CACHE_HOME", root + "/cache");
}

void DropTestRegistry() {}  // the hive went with its folder

}  // namespace testsupport
