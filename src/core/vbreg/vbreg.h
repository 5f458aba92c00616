#pragma once
// Module vbreg: registry strings, the system's version and folder, and the process test.

#include <cstdint>
#include <string>

#include "platform/platform.h"

namespace vbreg {

using platform::HKEY;
using platform::HKEY_LOCAL_MACHINE;

std::string ReadRegString(HKEY root, const std::string& subKey, const std::string& valueName,
                          std::int16_t& errorFlag);
std::int16_t WriteRegString(const std::string& subKey, const std::string& valueName,
                            const std::string& value);

std::string GetOSVersion();
std::string GetWindowsDir();

// -1 while a process with the id is listed, else 0.
std::int16_t isProcess(std::int32_t processId);

}  // namespace vbreg
