#include "platform/win32/text_conversion.h"

#include "platform/platform.h"
#include "platform/win32/windows_api.h"

namespace platform::win32 {

namespace {

std::wstring WideFrom(unsigned codePage, std::string_view text) {
    if (text.empty()) return {};
    const int length = static_cast<int>(text.size());
    const int wideLength = ::MultiByteToWideChar(codePage, 0, text.data(), length, nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(wideLength), L'\0');
    ::MultiByteToWideChar(codePage, 0, text.data(), length, wide.data(), wideLength);
    return wide;
}

std::string NarrowFrom(unsigned codePage, std::wstring_view text) {
    if (text.empty()) return {};
    const int length = static_cast<int>(text.size());
    // UTF-8 takes neither flags nor a default character.
    const bool ansi = codePage != CP_UTF8;
    const DWORD flags = ansi ? WC_NO_BEST_FIT_CHARS : 0;
    const char* fallback = ansi ? "?" : nullptr;
    const int narrowLength =
        ::WideCharToMultiByte(codePage, flags, text.data(), length, nullptr, 0, fallback, nullptr);
    std::string narrow(static_cast<std::size_t>(narrowLength), '\0');
    ::WideCharToMultiByte(codePage, flags, text.data(), length, narrow.data(), narrowLength,
                          fallback, nullptr);
    return narrow;
}

}  // namespace

std::wstring Utf16FromUtf8(std::string_view text) {
    return WideFrom(CP_UTF8, text);
}

std::string Utf8FromUtf16(std::wstring_view text) {
    return NarrowFrom(CP_UTF8, text);
}

}  // namespace platform::win32

namespace platform {

std::string AnsiToUtf8(std::string_view text) {
    return win32::Utf8FromUtf16(win32::WideFrom(CP_ACP, text));
}

// Never a best-fit look-alike: a character the code page lacks becomes "?", so that no "＼"
// or "／" can turn into a path separator.
std::string Utf8ToAnsi(std::string_view text) {
    return win32::NarrowFrom(CP_ACP, win32::Utf16FromUtf8(text));
}

}  // namespace platform
