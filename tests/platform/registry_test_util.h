#pragma once
// Small helpers for the registry tests: one-call reads and writes, and child processes.

#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdint>
#include <functional>
#include <optional>
#include <ostream>
#include <string>

#include "platform/platform.h"

namespace registrytest {

using platform::HKEY_LOCAL_MACHINE;

struct StoredValue {
    std::uint32_t type;
    std::string bytes;
    bool operator==(const StoredValue&) const = default;
};

inline void PrintTo(const StoredValue& value, std::ostream* out) {
    *out << "type " << value.type << " \"";
    for (unsigned char c : value.bytes) {
        if (c >= 0x20 && c < 0x7f) {
            *out << c;
        } else {
            *out << "\\x" << std::hex << static_cast<int>(c) << std::dec;
        }
    }
    *out << '"';
}

inline std::optional<StoredValue> Query(const std::string& key, const std::string& name) {
    platform::HKEY handle = 0;
    if (platform::RegOpenKeyEx(HKEY_LOCAL_MACHINE, key, 0, platform::KEY_QUERY_VALUE, &handle) !=
        platform::ERROR_SUCCESS) {
        return std::nullopt;
    }
    std::uint32_t type = 0;
    std::uint32_t size = 0;
    std::optional<StoredValue> result;
    if (platform::RegQueryValueEx(handle, name, &type, nullptr, &size) == platform::ERROR_SUCCESS) {
        std::string bytes(size, '\0');
        if (platform::RegQueryValueEx(handle, name, &type,
                                      reinterpret_cast<unsigned char*>(bytes.data()),
                                      &size) == platform::ERROR_SUCCESS) {
            result = StoredValue{type, bytes.substr(0, size)};
        }
    }
    platform::RegCloseKey(handle);
    return result;
}

inline platform::LSTATUS Store(const std::string& key, const std::string& name, std::uint32_t type,
                               const std::string& bytes) {
    platform::HKEY handle = 0;
    std::uint32_t disposition = 0;
    const platform::LSTATUS created = platform::RegCreateKeyEx(HKEY_LOCAL_MACHINE, key, 0, "", 0,
                                                               63, nullptr, &handle, &disposition);
    if (created != platform::ERROR_SUCCESS) return created;
    const platform::LSTATUS status = platform::RegSetValueEx(
        handle, name, 0, type, reinterpret_cast<const unsigned char*>(bytes.data()),
        static_cast<std::uint32_t>(bytes.size()));
    platform::RegCloseKey(handle);
    return status;
}

inline platform::LSTATUS StoreText(const std::string& key, const std::string& name,
                                   const std::string& text) {
    return Store(key, name, platform::REG_SZ, text + std::string(1, '\0'));
}

// Runs `body` in a forked child and returns its exit code (-1 when it did not exit).
inline int RunInChild(const std::function<int()>& body) {
    const pid_t child = fork();
    if (child == 0) _exit(body());
    int status = 0;
    waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// Runs `body` in a child that may not write files larger than `bytes`: its writes fail
// part-way with EFBIG, even for root.
inline int RunWithFileSizeLimit(rlim_t bytes, const std::function<int()>& body) {
    return RunInChild([&] {
        signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{bytes, bytes};
        setrlimit(RLIMIT_FSIZE, &limit);
        return body();
    });
}

}  // namespace registrytest
