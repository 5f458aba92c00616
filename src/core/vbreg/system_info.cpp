#include "core/vbreg/system_info.h"

#include "core/vbreg/registry_keys.h"
#include "core/vbreg/registry_strings.h"
#include "platform/platform.h"

namespace vbreg {

namespace {
constexpr std::uint32_t kVersionRecordSize = 148;
}  // namespace

std::string ShortVersionText(std::uint32_t platformId, std::uint32_t major, std::uint32_t minor) {
    return std::to_string(platformId) + "." + std::to_string(major) + "." + std::to_string(minor);
}

std::string WindowsDirKeyFor(const std::string& shortVersion) {
    const bool ntFamily = !shortVersion.empty() && shortVersion.front() == '2';
    return ntFamily ? kNtVersionKey : kWindowsVersionKey;
}

// A failed query leaves the record cleared, which reads 0.0.0.
std::string GetOSVersion() {
    platform::OSVERSIONINFO info{};
    info.dwOSVersionInfoSize = kVersionRecordSize;
    platform::GetVersionEx(&info);
    return ShortVersionText(info.dwPlatformId, info.dwMajorVersion, info.dwMinorVersion);
}

std::string GetWindowsDir() {
    const std::string key = WindowsDirKeyFor(GetOSVersion());
    std::int16_t errorFlag = 0;
    std::string folder = ReadRegString(HKEY_LOCAL_MACHINE, key, "SystemRoot", errorFlag);
    if (errorFlag != 0) return {};
    return folder;
}

}  // namespace vbreg
