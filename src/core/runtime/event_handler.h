#pragma once

#include <functional>
#include <string>

#include "core/runtime/runtime_error.h"

namespace runtime {

// Runs one window event handler the way the Basic runtime did: a runtime error that no
// procedure handled shows the standard runtime error message and ends the program, without
// storing anything. No exception leaves this function, so none crosses the toolkit's event loop.
void RunEventHandler(const std::function<void()>& handler);

// The standard message for a runtime error that no procedure handled.
std::string StandardErrorText(const RuntimeError& error);

}  // namespace runtime
