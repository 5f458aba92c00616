#pragma once
// File names compared as Windows compares them: letter case does not count.

#include <string_view>

namespace platform {

// Whether two UTF-8 names differ at most in the case of their letters (ASCII, Latin-1 and
// Latin Extended-A letters; other characters must match exactly).
bool NamesEqualIgnoringCase(std::string_view a, std::string_view b);

// Whether `name` starts with `prefix`, letter case not counting.
bool NameStartsWithIgnoringCase(std::string_view name, std::string_view prefix);

}  // namespace platform
