#pragma once
// For tests only: the program itself never includes this header. Linux's layer serves it; the
// Windows tests read Toolhelp's real list.

#include <functional>
#include <vector>

#include "platform/platform.h"

namespace platform::test_seams {

// Makes every snapshot list the given processes; an empty function restores the live list.
using ProcessListSource = std::function<std::vector<PROCESSENTRY32>()>;
void SetProcessListSource(ProcessListSource source);

}  // namespace platform::test_seams
