#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "platform/text/utf16.h"
#include "platform/text/utf8.h"
#include "platform/text/windows_1252.h"

namespace {

using namespace std::string_literals;

// UTF-16LE as this (little-endian) machine lays it out, independent of the code under test.
std::string Utf16Le(std::u16string_view text) {
    return {reinterpret_cast<const char*>(text.data()), text.size() * 2};
}

TEST(TextTest, RecognisesValidUtf8Only) {
    for (const char* valid : {"", "a;b\r\n", "Österreich", "€", "😀"})
        EXPECT_TRUE(platform::text::IsValidUtf8(valid));
    // Windows-1252, overlong, surrogate, beyond U+10FFFF, cut short, lone continuation.
    for (const char* invalid : {"\xD6sterreich", "\xC0\x80", "\xE0\x80\xAF", "\xED\xA0\x80",
                                "\xF4\x90\x80\x80", "\xC3", "\x80"}) {
        EXPECT_FALSE(platform::text::IsValidUtf8(invalid)) << invalid;
    }
}

TEST(TextTest, ConvertsWindows1252ToUtf8) {
    // 0x81 is unassigned and keeps its C1 code point.
    EXPECT_EQ(platform::text::Windows1252ToUtf8("\xD6 \xDF \x80 \x8A\x9F \x81 \xFF a;b\r\n"),
              "Ö ß € ŠŸ \xC2\x81 ÿ a;b\r\n");
}

struct Utf16Row {
    const char* name;
    std::string utf16;
    std::string utf8;  // all of it, or what comes before the unit that is no character
    bool valid = false;
};

TEST(TextTest, ConvertsUtf16LeBothWays) {
    // clang-format off
    const Utf16Row rows[] = {
        {.name = "umlaut", .utf16 = Utf16Le(u"Ö\r\n"), .utf8 = "Ö\r\n", .valid = true},
        {.name = "surrogate pair", .utf16 = Utf16Le(u"a😀"), .utf8 = "a😀", .valid = true},
        {.name = "lone high surrogate", .utf16 = Utf16Le(u"a") + "\x3D\xD8" "b\0"s, .utf8 = "a"},
        {.name = "high surrogate at the end", .utf16 = Utf16Le(u"a") + "\x3D\xD8", .utf8 = "a"},
        {.name = "lone low surrogate", .utf16 = std::string("\x00\xDC", 2), .utf8 = ""},
        {.name = "odd byte", .utf16 = Utf16Le(u"ab") + "c", .utf8 = "ab"},
    };
    // clang-format on
    for (const Utf16Row& row : rows) {
        std::string utf8;
        EXPECT_EQ(platform::text::AppendUtf16LeAsUtf8(row.utf16, utf8), row.valid) << row.name;
        EXPECT_EQ(utf8, row.utf8) << row.name;
        if (row.valid) {
            EXPECT_EQ(platform::text::Utf8ToUtf16Le(row.utf8), row.utf16) << row.name;
        }
    }
    EXPECT_EQ(platform::text::Utf8ToUtf16Le("a\xFF"), Utf16Le(u"a\uFFFD"));
}

}  // namespace
