#pragma once

#include <cstdint>
#include <string>

namespace vbreg {

// -1 while a process with the id is in the system's process list, else 0.
std::int16_t isProcess(std::int32_t processId);

// Whether the system of this short version has a process list worth consulting: its three
// numbers, compared as numbers, are greater than 2.4.0.
bool ConsultsProcessList(const std::string& shortVersion);

}  // namespace vbreg
