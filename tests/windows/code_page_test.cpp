// Text in Windows' ANSI code page (Windows-1252 under Wine, as on a German Windows): what the
// settings file on the card and list lines that are not UTF-8 go through.
#include <gtest/gtest.h>

#include <string>

#include "platform/platform.h"

namespace {

// A character the code page lacks becomes "?", never a look-alike: Windows' best fit would
// turn a full-width backslash into a path separator and "ł" into "l".
TEST(WindowsCodePage, ConvertsToAndFromTheAnsiCodePage) {
    const struct {
        const char* name;
        std::string utf8;
        std::string ansi;
        bool bothWays;
    } rows[] = {
        {.name = "umlauts",
         .utf8 = "Österreich Straße",
         .ansi = "\xD6sterreich Stra\xDF"
                 "e",
         .bothWays = true},
        {.name = "euro_sign", .utf8 = "€", .ansi = "\x80", .bothWays = true},
        {.name = "full_width_backslash", .utf8 = "a＼b", .ansi = "a?b", .bothWays = false},
        {.name = "no_best_fit",
         .utf8 = "łódź",
         .ansi = "?\xF3"
                 "d?",
         .bothWays = false},
        {.name = "not_utf8",
         .utf8 = "a\xFF"
                 "b",
         .ansi = "a?b",
         .bothWays = false},
        {.name = "nul_inside",
         .utf8 = std::string("a\0b", 3),
         .ansi = std::string("a\0b", 3),
         .bothWays = true},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(platform::Utf8ToAnsi(row.utf8), row.ansi) << row.name;
        if (row.bothWays) {
            EXPECT_EQ(platform::AnsiToUtf8(row.ansi), row.utf8) << row.name;
        }
    }
}

}  // namespace
