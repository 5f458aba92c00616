#include <sys/utsname.h>

#include <cstdio>

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

}  // namespace

// Linux has a process list like the NT family, so it reports itself as one.
bool GetVersionEx(OSVERSIONINFO* info) {
    utsname name{};
    if (info == nullptr || uname(&name) != 0) return false;
    info->dwPlatformId = VER_PLATFORM_WIN32_NT;
    ParseKernelRelease(name.release, info);
    std::snprintf(info->szCSDVersion, sizeof info->szCSDVersion, "%s", name.release);
    return true;
}

}  // namespace platform
