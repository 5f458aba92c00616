#include "support/test_environment.h"

#include <stdlib.h>

#ifdef _WIN32
#include "core/vbreg/registry_keys.h"
#include "platform/win32/windows_api.h"
#endif

namespace testsupport {

#ifdef _WIN32
void SetEnvironment(const std::string& name, const std::string& value) {
    _putenv_s(name.c_str(), value.c_str());
}

void UseFreshRegistry(const std::string& /*root*/) {
    DropTestRegistry();
}

void DropTestRegistry() {
    for (const char* key : {"SOFTWARE\\Tarvo", vbreg::kNavManKey}) {
        ::RegDeleteTreeA(winapi::LocalMachine(), key);
    }
}
#else
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
#endif

void IsolateFromUserHome() {
    static TempFolder programHome;  // lives until the test program ends
    UseFreshRegistry(programHome.Path());
    SetEnvironment("HOME", programHome.Path());
}

void IsolatedTest::SetUp() {
    folder_ = std::make_unique<TempFolder>();
    configHome_ = folder_->Path() + "/config";
    cacheHome_ = folder_->Path() + "/cache";
    UseFreshRegistry(folder_->Path());
}

void IsolatedTest::TearDown() {
    DropTestRegistry();
    folder_.reset();
}

}  // namespace testsupport
