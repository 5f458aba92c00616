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

void AppendUtf8(std::string& out, char32_t codePoint);

bool IsValidUtf8(std::string_view text);

}  // namespace platform::text
