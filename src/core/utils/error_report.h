#pragma once

#include <exception>
#include <string>

namespace Utils {

// The program's one fatal-error report: shows the critical box and ends the program.
// `statement` 0 leaves out the "Zeile" line.
[[noreturn]] void ShowError(const std::string& description, const std::string& module,
                            const std::string& procedure, int statement);

// The same report for whatever a guarded procedure caught, as the runtime error it stands for.
[[noreturn]] void ShowError(const std::exception& failure, const std::string& module,
                            const std::string& procedure, int statement);

}  // namespace Utils
