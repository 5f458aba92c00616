#include "platform/posix/registry_system_root.h"

#include "platform/platform.h"
#include "platform/posix/hive_store.h"

namespace platform::hive {

namespace {

const KeyPath& SystemRootKey() {
    static const KeyPath key = SplitKeyPath("Software\\Microsoft\\Windows NT\\CurrentVersion");
    return key;
}

}  // namespace

bool IsOnSystemRootPath(const KeyPath& key) {
    return IsSameOrAncestor(key, SystemRootKey());
}

bool IsSystemRootValue(const KeyPath& key, const std::string& valueName) {
    return SamePath(key, SystemRootKey()) && SameName(valueName, "SystemRoot");
}

Value SystemRootValue() {
    const std::string folder = CacheHome() + "/marquill";
    // The staging folder lives below it; a failure shows up when a file is staged there.
    EnsureFolder(folder + "/temp", 0700);
    Value value{"SystemRoot", REG_SZ, Bytes(folder.begin(), folder.end())};
    value.data.push_back(0);
    return value;
}

}  // namespace platform::hive
