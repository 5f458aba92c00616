#include <sys/utsname.h>

#include <cstdio>
#include <optional>
#include <string>

#include "platform/platform.h"

namespace platform {

namespace {

// "6.1.0-18-amd64" or "6.18": the leading numbers of the kernel release; missing ones are 0.
void ParseKernelRelease(const char* release, OSVERSIONINFO* info) {
    unsigned major = 0;
    unsigned minor = 0;
    unsigned patch = 0;
    std::sscanf(release, "%u.%u.%u", &major, &minor, &patch);
    info->dwMajorVersion = major;
    info->dwMinorVersion = minor;
    info->dwBuildNumber = patch;
}

// The running kernel cannot change under a running program: asked once.
const std::optional<std::string>& KernelRelease() {
    static const std::optional<std::string> release = []() -> std::optional<std::string> {
        utsname name{};
        if (uname(&name) != 0) return std::nullopt;
        return std::string(name.release);
    }();
    return release;
}

}  // namespace

// Linux has a process list like the NT family, so it reports itself as one.
bool GetVersionEx(OSVERSIONINFO* info) {
    const auto& release = KernelRelease();
    if (info == nullptr || !release) return false;
    info->dwPlatformId = VER_PLATFORM_WIN32_NT;
    ParseKernelRelease(release->c_str(), info);
    std::snprintf(info->szCSDVersion, sizeof info->szCSDVersion, "%s", release->c_str());
    return true;
}

}  // namespace platform
