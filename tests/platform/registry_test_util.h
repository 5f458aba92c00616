#pragma once
// One-call registry reads and writes, and child processes, for the registry tests.

#include <sys/wait.h>
#include <unistd.h>

#include <cstdint>
#include <optional>
#include <string>

#include "platform/platform.h"

namespace registrytest {

using platform::HKEY_LOCAL_MACHINE;

struct StoredValue {
    std::uint32_t type;
    std::string bytes;
    bool operator==(const StoredValue&) const = default;
};

inline StoredValue Text(const std::string& text) {
    return {platform::REG_SZ, text + '\0'};
}

inline std::optional<StoredValue> Query(const std::string& key, const std::string& name) {
    platform::HKEY handle = 0;
    platform::RegOpenKeyEx(HKEY_LOCAL_MACHINE, key, 0, platform::KEY_QUERY_VALUE, &handle);
    std::string bytes(8192, '\0');
    std::uint32_t type = 0;
    auto size = static_cast<std::uint32_t>(bytes.size());
    const platform::LSTATUS status = platform::RegQueryValueEx(
        handle, name, &type, reinterpret_cast<unsigned char*>(bytes.data()), &size);
    platform::RegCloseKey(handle);
    if (status != platform::ERROR_SUCCESS) return std::nullopt;
    return StoredValue{type, bytes.substr(0, size)};
}

inline platform::LSTATUS Store(const std::string& key, const std::string& name, std::uint32_t type,
                               const std::string& bytes) {
    platform::HKEY handle = 0;
    const platform::LSTATUS created =
        platform::RegCreateKeyEx(HKEY_LOCAL_MACHINE, key, 0, "", 0, 63, nullptr, &handle, nullptr);
    if (created != platform::ERROR_SUCCESS) return created;
    const platform::LSTATUS status = platform::RegSetValueEx(
        handle, name, 0, type, reinterpret_cast<const unsigned char*>(bytes.data()),
        static_cast<std::uint32_t>(bytes.size()));
    platform::RegCloseKey(handle);
    return status;
}

inline platform::LSTATUS StoreText(const std::string& key, const std::string& name,
                                   const std::string& text) {
    return Store(key, name, platform::REG_SZ, text + '\0');
}

// Forks a child that runs `body` and leaves with its result.
template <typename Body>
pid_t Spawn(Body body) {
    const pid_t child = fork();
    if (child == 0) _exit(body());
    return child;
}

// The child's exit code; -1 when it did not exit.
inline int ExitCode(pid_t child) {
    int status = 0;
    waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

}  // namespace registrytest
