#pragma once

#include <string>

namespace Utils {

// The program's one fatal-error report: shows the critical box and ends the program.
// `statement` 0 leaves out the "Zeile" line.
[[noreturn]] void ShowError(const std::string& description, const std::string& module,
                            const std::string& procedure, int statement);

}  // namespace Utils
