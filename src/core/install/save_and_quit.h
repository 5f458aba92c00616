#pragma once

namespace Install {

// Stores both path fields and ends the program.
[[noreturn]] void SaveAndQuit();

}  // namespace Install
