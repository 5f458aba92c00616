#include <gtest/gtest.h>

#include "platform/text/utf8.h"
#include "platform/text/windows_1252.h"

namespace {

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

}  // namespace
