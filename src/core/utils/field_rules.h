#pragma once
// The rules that turn the install list's columns into the values the device gets.

#include <string>
#include <string_view>

namespace Utils {

std::string FlagValue(const std::string& field);
std::string DistanceValue(const std::string& field);

// The short-name rule without its fallback: upper case, first 8 characters, trimmed.
std::string ShortNameOf(const std::string& column);

// Spaces (and only spaces) removed at both ends.
std::string_view TrimSpaces(std::string_view text);

}  // namespace Utils
