#include <gtest/gtest.h>

#include <string>

#include "platform/platform.h"
#include "platform/text/utf8.h"

namespace {

using namespace std::string_literals;

struct Utf8Row {
    const char* name;
    std::string text;
    bool valid;
};

TEST(Text, RecognisesValidUtf8Only) {
    // clang-format off
    const Utf8Row rows[] = {
        {.name = "1 to 4 bytes",      .text = "a;\r\nÖ€😀",        .valid = true},
        {.name = "overlong 2-byte",   .text = "\xC0\x80",         .valid = false},
        {.name = "overlong 3-byte",   .text = "\xE0\x80\xAF",     .valid = false},
        {.name = "surrogate",         .text = "\xED\xA0\x80",     .valid = false},
        {.name = "beyond U+10FFFF",   .text = "\xF4\x90\x80\x80", .valid = false},
        {.name = "cut short",         .text = "\xC3",             .valid = false},
        {.name = "lone continuation", .text = "\x80",             .valid = false},
    };
    // clang-format on
    for (const Utf8Row& row : rows)
        EXPECT_EQ(platform::text::IsValidUtf8(row.text), row.valid) << row.name;
}

struct CodePageRow {
    const char* name;
    std::string utf8;
    std::string ansi;
    bool bothWays;
};

// Windows-1252, as on a German Windows (Wine's code page too). A character it lacks becomes
// "?", never a look-alike: a best fit would turn "＼" into a path separator and "ł" into "l".
TEST(Text, ConvertsToAndFromTheAnsiCodePage) {
    // clang-format off
    const CodePageRow rows[] = {
        {.name = "Latin-1", .utf8 = "Öß ÿ;\r\n", .ansi = "\xD6\xDF \xFF;\r\n", .bothWays = true},
        {.name = "0x80 to 0x9F", .utf8 = "€ŠŸ", .ansi = "\x80\x8A\x9F", .bothWays = true},
        {.name = "unassigned 0x81", .utf8 = "\u0081", .ansi = "\x81", .bothWays = true},
        {.name = "NUL inside", .utf8 = "a\0b"s, .ansi = "a\0b"s, .bothWays = true},
        {.name = "no best fit", .utf8 = "＼łódź", .ansi = "??\xF3" "d?", .bothWays = false},
        {.name = "not UTF-8", .utf8 = "a\xFF" "b", .ansi = "a?b", .bothWays = false},
    };
    // clang-format on
    for (const CodePageRow& row : rows) {
        EXPECT_EQ(platform::Utf8ToAnsi(row.utf8), row.ansi) << row.name;
        if (row.bothWays) {
            EXPECT_EQ(platform::AnsiToUtf8(row.ansi), row.utf8) << row.name;
        }
    }
}

}  // namespace
