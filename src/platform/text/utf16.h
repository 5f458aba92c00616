#pragma once
// UTF-16 little-endian, the text of regedit's exports since Windows 2000.

#include <string>
#include <string_view>

namespace platform::text {

// Appends the UTF-16LE bytes to `out` as UTF-8. False at the first unit that is no character
// (a lone surrogate, or an odd byte at the end); `out` then holds the text before it.
bool AppendUtf16LeAsUtf8(std::string_view bytes, std::string& out);

// UTF-8 as UTF-16LE bytes; a byte that is not valid UTF-8 becomes U+FFFD.
std::string Utf8ToUtf16Le(std::string_view text);

}  // namespace platform::text
