#pragma once
// One letter-case table for the whole program, independent of the user's locale: simple
// one-to-one pairs of the Latin, Greek and Cyrillic letters. Letters whose capital would merge
// with another letter (dotless i, long s, final sigma) or has no single character ("ß") have
// no pair.

#include <string>
#include <string_view>

namespace platform::text {

char32_t UpperCaseOf(char32_t c);

// Upper case by the table ("ü" gives "Ü", "ß" stays). Bytes that are not valid UTF-8 pass
// unchanged.
std::string UpperCaseLocaleFree(std::string_view text);

// File names as Windows compares them: two UTF-8 names are equal but for the case of their
// letters when these forms are equal. A byte that is not valid UTF-8 only matches itself.
std::u32string CaseFoldedName(std::string_view name);
bool NamesEqualIgnoringCase(std::string_view a, std::string_view b);

// Whether `name` starts with `prefix`, letter case not counting.
bool NameStartsWithIgnoringCase(std::string_view name, std::string_view prefix);

}  // namespace platform::text
