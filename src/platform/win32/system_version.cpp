#include <algorithm>
#include <cstring>

#include "platform/platform.h"
#include "platform/win32/windows_api.h"

namespace platform {

static_assert(sizeof(::OSVERSIONINFOA) == 148, "the version record the old program passed");

// The caller's record size goes to Windows unchanged: a wrong one fails there, as it would
// have for the old program.
bool GetVersionEx(OSVERSIONINFO* info) {
    if (info == nullptr) return false;
    ::OSVERSIONINFOA record{};
    record.dwOSVersionInfoSize = info->dwOSVersionInfoSize;
    if (!::GetVersionExA(&record)) return false;
    info->dwMajorVersion = record.dwMajorVersion;
    info->dwMinorVersion = record.dwMinorVersion;
    info->dwBuildNumber = record.dwBuildNumber;
    info->dwPlatformId = record.dwPlatformId;
    const std::string servicePack = AnsiToUtf8(record.szCSDVersion);
    const std::size_t length = std::min(servicePack.size(), sizeof info->szCSDVersion - 1);
    std::memcpy(info->szCSDVersion, servicePack.data(), length);
    info->szCSDVersion[length] = '\0';
    return true;
}

}  // namespace platform
