#include <stdlib.h>

#include "core/vbreg/registry_keys.h"
#include "platform/win32/windows_api.h"
#include "support/test_environment.h"

namespace testsupport {

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

}  // namespace testsupport
