#pragma once

#include <functional>

namespace runtime {

// Runs one window event handler the way the old runtime did: a runtime error that no procedure
// handled shows the standard runtime error message and ends the program, without storing
// anything. No exception leaves this function, so none crosses the toolkit's event loop.
void RunEventHandler(const std::function<void()>& handler);

}  // namespace runtime
