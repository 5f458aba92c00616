#pragma once
// String values under HKEY_LOCAL_MACHINE. Failures give empty text or 1 silently; only a runtime
// error inside is shown, in a plain box, and the program goes on.

#include <cstdint>
#include <string>

#include "platform/platform.h"

namespace vbreg {

using platform::HKEY;
using platform::HKEY_LOCAL_MACHINE;

std::string ReadRegString(HKEY root, const std::string& subKey, const std::string& valueName,
                          std::int16_t& errorFlag);
// 0 when written, 1 when not.
std::int16_t WriteRegString(const std::string& subKey, const std::string& valueName,
                            const std::string& value);

}  // namespace vbreg
