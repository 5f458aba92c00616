#pragma once

#include <cstdint>
#include <string>

namespace Utils {

// Starts the command line and returns once the started process has ended, letting window
// events run meanwhile.
void call_and_wait(const std::string& commandLine, std::int32_t windowStyle);

}  // namespace Utils
