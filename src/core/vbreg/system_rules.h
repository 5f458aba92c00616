#pragma once
// The rules behind the system information and the process test, apart from the system calls.

#include <cstdint>
#include <string>

namespace vbreg {

// "platform.major.minor" in decimal digits, as the version query reports them.
std::string ShortVersionText(std::uint32_t platformId, std::uint32_t major, std::uint32_t minor);

// The registry key that holds SystemRoot on the system of this short version.
std::string WindowsDirKeyFor(const std::string& shortVersion);

// Whether the system of this short version has a process list worth consulting: its three
// numbers, compared as numbers, are greater than 2.4.0.
bool ConsultsProcessList(const std::string& shortVersion);

}  // namespace vbreg
