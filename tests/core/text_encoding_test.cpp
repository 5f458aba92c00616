#include "core/utils/text_encoding.h"

#include <gtest/gtest.h>

namespace {

TEST(TextEncodingTest, RecognisesValidUtf8Only) {
    for (const char* valid : {"", "a;b\r\n", "Österreich", "€", "😀"})
        EXPECT_TRUE(Utils::IsValidUtf8(valid));
    // Windows-1252, overlong, surrogate, beyond U+10FFFF, cut short, lone continuation.
    for (const char* invalid : {"\xD6sterreich", "\xC0\x80", "\xE0\x80\xAF", "\xED\xA0\x80",
                                "\xF4\x90\x80\x80", "\xC3", "\x80"}) {
        EXPECT_FALSE(Utils::IsValidUtf8(invalid)) << invalid;
    }
}

TEST(TextEncodingTest, ConvertsWindows1252ToUtf8) {
    // 0x81 is unassigned and keeps its C1 code point.
    EXPECT_EQ(Utils::Windows1252ToUtf8("\xD6 \xDF \x80 \x8A\x9F \x81 \xFF a;b\r\n"),
              "Ö ß € ŠŸ \xC2\x81 ÿ a;b\r\n");
}

}  // namespace
