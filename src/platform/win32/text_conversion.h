#pragma once
// The win32 layer's one place where text changes its encoding. The core speaks UTF-8; Windows
// takes file names and command lines as UTF-16 (the W functions) and registry text as the
// ANSI code page (the A functions, through platform.h's AnsiToUtf8 and Utf8ToAnsi). Text that
// does not convert becomes U+FFFD or "?".

#include <string>
#include <string_view>

namespace platform::win32 {

std::wstring Utf16FromUtf8(std::string_view text);
std::string Utf8FromUtf16(std::wstring_view text);

}  // namespace platform::win32
