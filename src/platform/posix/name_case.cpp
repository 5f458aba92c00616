#include "platform/posix/name_case.h"

#include <cstddef>

namespace platform {
namespace {

// Reads the character at `pos` as a code point when it is a two-byte UTF-8 sequence
// (all letters folded here are); any other byte is its own unit.
char32_t NextUnit(std::string_view text, std::size_t& pos) {
    const auto lead = static_cast<unsigned char>(text[pos]);
    if (lead >= 0xC2 && lead <= 0xDF && pos + 1 < text.size()) {
        const auto next = static_cast<unsigned char>(text[pos + 1]);
        if ((next & 0xC0) == 0x80) {
            pos += 2;
            return (static_cast<char32_t>(lead & 0x1F) << 6) | (next & 0x3F);
        }
    }
    ++pos;
    return lead;
}

char32_t Folded(char32_t c) {
    if (c >= U'A' && c <= U'Z') return c + 0x20;
    if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return c + 0x20;
    if (c == 0x178) return 0xFF;
    const bool capitalEven =
        (c >= 0x100 && c <= 0x137 && c != 0x130 && c != 0x131) || (c >= 0x14A && c <= 0x177);
    const bool capitalOdd = (c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E);
    if (capitalEven && c % 2 == 0) return c + 1;
    if (capitalOdd && c % 2 == 1) return c + 1;
    return c;
}

// Compares the start of `name` with all of `other`; true when `other` is used up first and
// `whole` does not ask for `name` to end there too.
bool MatchFolded(std::string_view name, std::string_view other, bool whole) {
    std::size_t i = 0;
    std::size_t j = 0;
    while (j < other.size()) {
        if (i >= name.size()) return false;
        if (Folded(NextUnit(name, i)) != Folded(NextUnit(other, j))) return false;
    }
    return !whole || i == name.size();
}

}  // namespace

bool NamesEqualIgnoringCase(std::string_view a, std::string_view b) {
    return MatchFolded(a, b, true);
}

bool NameStartsWithIgnoringCase(std::string_view name, std::string_view prefix) {
    return MatchFolded(name, prefix, false);
}

}  // namespace platform
