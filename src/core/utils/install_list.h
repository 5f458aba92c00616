#pragma once
// Reading the install list: its lines and their semicolon-separated fields.

#include <cstdint>
#include <string>

#include "core/utils/sequential_file.h"

namespace Utils {

// The next line with its CR LF, the rest of the file when it ends first, "" at its end.
std::string ReadLineFromFile(SequentialFile& file);
// Field n (from 1) of the line, or its last field when it has fewer.
std::string Get_Token(const std::string& line, std::int16_t n);

}  // namespace Utils
