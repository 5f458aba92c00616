#pragma once
// One-call registry reads and writes, and child processes, for the registry tests.

#include <sys/wait.h>
#include <unistd.h>

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "platform/platform.h"

namespace registrytest {

using namespace platform;

struct StoredValue {
    std::uint32_t type;
    std::string bytes;
    bool operator==(const StoredValue&) const = default;
};

inline StoredValue Text(const std::string& text) {
    return {REG_SZ, text + '\0'};
}

// UTF-16LE as this (little-endian) machine lays it out, independent of the code under test.
inline std::string Utf16Le(std::u16string_view text) {
    return {reinterpret_cast<const char*>(text.data()), text.size() * 2};
}

inline std::optional<StoredValue> Query(const std::string& key, const std::string& name) {
    HKEY handle = 0;
    RegOpenKeyEx(HKEY_LOCAL_MACHINE, key, 0, KEY_QUERY_VALUE, &handle);
    StoredValue value{0, std::string(8192, '\0')};
    auto size = static_cast<std::uint32_t>(value.bytes.size());
    auto* data = reinterpret_cast<unsigned char*>(value.bytes.data());
    const LSTATUS status = RegQueryValueEx(handle, name, &value.type, data, &size);
    RegCloseKey(handle);
    value.bytes.resize(size);
    return status == ERROR_SUCCESS ? std::optional(value) : std::nullopt;
}

inline LSTATUS Store(const std::string& key, const std::string& name, std::uint32_t type,
                     const std::string& bytes) {
    HKEY handle = 0;
    LSTATUS status =
        RegCreateKeyEx(HKEY_LOCAL_MACHINE, key, 0, "", 0, 63, nullptr, &handle, nullptr);
    if (status != ERROR_SUCCESS) return status;
    const auto* data = reinterpret_cast<const unsigned char*>(bytes.data());
    status = RegSetValueEx(handle, name, 0, type, data, static_cast<std::uint32_t>(bytes.size()));
    RegCloseKey(handle);
    return status;
}

inline LSTATUS StoreText(const std::string& key, const std::string& name, const std::string& text) {
    return Store(key, name, REG_SZ, text + '\0');
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
