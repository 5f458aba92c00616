#include "platform/text/letter_case.h"

#include "platform/text/utf8.h"

namespace platform::text {

char32_t UpperCaseOf(char32_t c) {
    if (c >= U'a' && c <= U'z') return c - 0x20;
    if (c >= 0xE0 && c <= 0xFE && c != 0xF7) return c - 0x20;  // Latin-1 Supplement
    if (c == 0xFF) return 0x178;
    if (c >= 0x100 && c <= 0x17F) {  // Latin Extended-A: capitals even, or odd in two runs
        const bool capitalOdd = (c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E);
        const bool capitalEven =
            (c >= 0x100 && c <= 0x137 && c != 0x130 && c != 0x131) || (c >= 0x14A && c <= 0x177);
        if (capitalOdd && c % 2 == 0) return c - 1;
        if (capitalEven && c % 2 == 1) return c - 1;
        return c;
    }
    if (c >= 0x3B1 && c <= 0x3C9 && c != 0x3C2) return c - 0x20;  // Greek
    if (c >= 0x430 && c <= 0x44F) return c - 0x20;                // Cyrillic
    if (c >= 0x450 && c <= 0x45F) return c - 0x50;
    return c;
}

std::string UpperCaseLocaleFree(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t pos = 0; pos < text.size();) {
        const char32_t codePoint = NextCodePoint(text, pos);
        if (codePoint >= kLoneByte) {
            out += text[pos - 1];
        } else {
            AppendUtf8(out, UpperCaseOf(codePoint));
        }
    }
    return out;
}

std::u32string CaseFoldedName(std::string_view name) {
    std::u32string folded;
    for (std::size_t pos = 0; pos < name.size();) folded += UpperCaseOf(NextCodePoint(name, pos));
    return folded;
}

bool NamesEqualIgnoringCase(std::string_view a, std::string_view b) {
    return CaseFoldedName(a) == CaseFoldedName(b);
}

bool NameStartsWithIgnoringCase(std::string_view name, std::string_view prefix) {
    std::size_t i = 0;
    std::size_t j = 0;
    while (j < prefix.size()) {
        if (i >= name.size()) return false;
        if (UpperCaseOf(NextCodePoint(name, i)) != UpperCaseOf(NextCodePoint(prefix, j))) {
            return false;
        }
    }
    return true;
}

}  // namespace platform::text
