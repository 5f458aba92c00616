#include "support/test_environment.h"

#include <stdlib.h>

#ifdef _WIN32
#include "core/vbreg/registry_keys.h"
#include "platform/win32/windows_api.h"
#endif

namespace testsupport {

static void SetEnvironment(const std::string& name, const std::string& value) {
#ifdef _WIN32
    _putenv_s(name.c_str(), value.c_str());
#else
    setenv(name.c_str(), value.c_str(), 1);
#endif
}

// A fresh hive and cache below `root` (Linux); on Windows, whose registry every program shares,
// the settings key's "SOFTWARE\Tarvo" and NavMan's uninstall entry deleted.
static void UseFreshRegistry(const std::string& root) {
    for (const char* area : {"config", "cache"})
        std::filesystem::create_directories(root + "/" + area);
    SetEnvironment("XDG_CONFIG_HOME", root + "/config");
    SetEnvironment("XDG_CACHE_HOME", root + "/cache");
    DropTestRegistry();
}

void DropTestRegistry() {
#ifdef _WIN32
    for (const char* key : {"SOFTWARE\\Tarvo", vbreg::kNavManKey})
        ::RegDeleteTreeA(winapi::LocalMachine(), key);
#endif  // on Linux the hive goes with its folder
}

void IsolateFromUserHome() {
    static TempFolder programHome;  // lives until the test program ends
    UseFreshRegistry(programHome.Path());
    SetEnvironment("HOME", programHome.Path());
}

void IsolatedTest::SetUp() {
    folder_ = std::make_unique<TempFolder>();
    UseFreshRegistry(folder_->Path());
}

}  // namespace testsupport
