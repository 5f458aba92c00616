#pragma once
// UTF-8, the core's text form on every system: one decoder for the whole program.

#include <cstddef>
#include <string>
#include <string_view>

namespace platform::text {

// Length of the valid UTF-8 sequence at `pos` and its code point in `codePoint`; 0 when the
// bytes there are no valid sequence (overlong forms, surrogates and values past U+10FFFF
// included). `pos` must lie inside the text.
std::size_t DecodeUtf8At(std::string_view text, std::size_t pos, char32_t& codePoint);

// The code point at `pos`, which moves past it. A byte that starts no valid sequence comes as
// kLoneByte plus its value, past the Unicode range so that it never equals a character, and
// `pos` moves past that one byte.
inline constexpr char32_t kLoneByte = 0x110000;
char32_t NextCodePoint(std::string_view text, std::size_t& pos);

void AppendUtf8(std::string& out, char32_t codePoint);

// The position of the first byte that starts no valid sequence; the text's size when none does.
std::size_t FirstInvalidUtf8(std::string_view text);
bool IsValidUtf8(std::string_view text);

}  // namespace platform::text
