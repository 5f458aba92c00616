#include "platform/text/utf16.h"

#include "platform/text/utf8.h"

namespace platform::text {
namespace {

char32_t UnitAt(std::string_view bytes, std::size_t pos) {
    return static_cast<unsigned char>(bytes[pos]) |
           static_cast<char32_t>(static_cast<unsigned char>(bytes[pos + 1])) << 8;
}

bool IsHighSurrogate(char32_t unit) {
    return unit >= 0xD800 && unit <= 0xDBFF;
}

bool IsLowSurrogate(char32_t unit) {
    return unit >= 0xDC00 && unit <= 0xDFFF;
}

void AppendUnit(std::string& out, char32_t unit) {
    out += static_cast<char>(unit & 0xFF);
    out += static_cast<char>(unit >> 8);
}

}  // namespace

bool AppendUtf16LeAsUtf8(std::string_view bytes, std::string& out) {
    std::size_t pos = 0;
    for (; pos + 1 < bytes.size(); pos += 2) {
        char32_t codePoint = UnitAt(bytes, pos);
        if (IsLowSurrogate(codePoint)) return false;
        if (IsHighSurrogate(codePoint)) {
            if (pos + 3 >= bytes.size() || !IsLowSurrogate(UnitAt(bytes, pos + 2))) return false;
            codePoint = 0x10000 + ((codePoint - 0xD800) << 10) + (UnitAt(bytes, pos + 2) - 0xDC00);
            pos += 2;
        }
        AppendUtf8(out, codePoint);
    }
    return pos == bytes.size();
}

std::string Utf8ToUtf16Le(std::string_view text) {
    std::string out;
    out.reserve(text.size() * 2);
    for (std::size_t pos = 0; pos < text.size();) {
        char32_t codePoint = NextCodePoint(text, pos);
        if (codePoint >= kLoneByte) codePoint = 0xFFFD;
        if (codePoint >= 0x10000) {
            AppendUnit(out, 0xD800 + ((codePoint - 0x10000) >> 10));
            AppendUnit(out, 0xDC00 + ((codePoint - 0x10000) & 0x3FF));
        } else {
            AppendUnit(out, codePoint);
        }
    }
    return out;
}

}  // namespace platform::text
