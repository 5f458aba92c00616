#pragma once
// Windows-1252, the 8-bit text of a German Windows.

#include <string>
#include <string_view>

namespace platform::text {

// Every byte read as Windows-1252 and written as UTF-8. The five unassigned bytes keep their
// C1 code points, as Windows itself converts them.
std::string Windows1252ToUtf8(std::string_view text);

// UTF-8 as Windows-1252. A character the code page cannot hold, and a byte that is not valid
// UTF-8, becomes "?", as Windows' own conversion does.
std::string Utf8ToWindows1252(std::string_view text);

}  // namespace platform::text
