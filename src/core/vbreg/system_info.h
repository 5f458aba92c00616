#pragma once
// The system's short version ("platform.major.minor") and the Windows folder.

#include <cstdint>
#include <string>

namespace vbreg {

std::string GetOSVersion();
// SystemRoot as stored; empty when it cannot be read.
std::string GetWindowsDir();

// "platform.major.minor" in decimal digits, as the version query reports them.
std::string ShortVersionText(std::uint32_t platformId, std::uint32_t major, std::uint32_t minor);

// The registry key that holds SystemRoot on the system of this short version.
std::string WindowsDirKeyFor(const std::string& shortVersion);

}  // namespace vbreg
