#pragma once
// Byte-level text helpers for install-list lines: UTF-8 checks, the Windows-1252 fallback and
// a case mapping that does not depend on the user's locale.

#include <cstddef>
#include <string>
#include <string_view>

namespace Utils {

bool IsValidUtf8(std::string_view text);

// Every byte read as Windows-1252 and written as UTF-8.
std::string Windows1252ToUtf8(std::string_view text);

// Upper case by a fixed one-to-one mapping ("ü" gives "Ü", "ß" stays). Bytes that are not
// valid UTF-8 pass unchanged.
std::string UpperCaseLocaleFree(std::string_view text);

// The first `count` characters; a multi-byte character is never split. An invalid byte
// counts as one character.
std::string CutToCharacters(std::string_view text, std::size_t count);

}  // namespace Utils
