#include "platform/posix/registry_system_root.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>

#include "platform/platform.h"
#include "platform/posix/hive_store.h"

namespace platform::hive {

namespace {

// The registry read takes 255 bytes, the terminating NUL included.
constexpr std::size_t kLongestReadableText = 254;
constexpr unsigned kPrivateFolder = 0700;

const KeyPath& SystemRootKey() {
    static const KeyPath key = SplitKeyPath("Software\\Microsoft\\Windows NT\\CurrentVersion");
    return key;
}

// In a folder that everyone may write to, a link or another user's folder under our name
// would redirect the staged files: only our own closed folder counts.
bool IsOurPrivateFolder(const std::string& path) {
    struct stat info {};
    return lstat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode) && info.st_uid == getuid() &&
           (info.st_mode & 077) == 0;
}

bool MakeOurPrivateFolder(const std::string& path) {
    mkdir(path.c_str(), kPrivateFolder);
    return IsOurPrivateFolder(path) && EnsureFolder(path + "/temp", kPrivateFolder);
}

// Our folder in $TMPDIR, or in /tmp when that is unset or too long.
std::string SharedTempFolder() {
    const std::string ours = "/marquill-" + std::to_string(getuid());
    const char* base = std::getenv("TMPDIR");
    if (base != nullptr && base[0] == '/' &&
        std::strlen(base) + ours.size() <= kLongestReadableText) {
        return base + ours;
    }
    return "/tmp" + ours;
}

// The cache folder when the registry read can hold its name and it can hold the staging
// folder; else a short private folder in $TMPDIR or /tmp. Never the file-system root: when neither
// can be used, a folder that never exists, so that staging fails with a clear error.
std::string UsableWindowsFolder() {
    const std::string cache = CacheHome() + "/marquill";
    if (cache.size() <= kLongestReadableText && EnsureFolder(cache + "/temp", kPrivateFolder)) {
        return cache;
    }
    if (const std::string shared = SharedTempFolder(); MakeOurPrivateFolder(shared)) return shared;
    return "/nonexistent/marquill";
}

}  // namespace

bool IsOnSystemRootPath(const KeyPath& key) {
    return IsSameOrAncestor(key, SystemRootKey());
}

bool IsSystemRootValue(const KeyPath& key, const std::string& valueName) {
    return SamePath(key, SystemRootKey()) && SameName(valueName, "SystemRoot");
}

Value SystemRootValue() {
    const std::string folder = UsableWindowsFolder();
    Value value{"SystemRoot", REG_SZ, Bytes(folder.begin(), folder.end())};
    value.data.push_back(0);
    return value;
}

}  // namespace platform::hive
