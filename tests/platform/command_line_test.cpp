#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/platform.h"

namespace {

using Words = std::vector<std::string>;

struct SplitRow {
    const char* name;
    std::string in;
    Words out;
};

TEST(SplitCommandLine, SplitsAsWindowsDoes) {
    // clang-format off
    const SplitRow rows[] = {
        {.name = "blanks only", .in = "  \t ", .out = {}},
        {.name = "blanks and tabs", .in = "  prog   a\tb  \"\" ", .out = {"prog", "a", "b", ""}},
        {.name = "quotes group", .in = "\"/a b/p\" /a\" b\"/q", .out = {"/a b/p", "/a b/q"}},
        {.name = "quote left open", .in = "p \"c d", .out = {"p", "c d"}},
        // A program path keeps its backslashes, even before a closing quote.
        {.name = "program path", .in = "\"C:\\nav\\\" x", .out = {"C:\\nav\\", "x"}},
        {.name = "doubled quote", .in = "p \"a\"\"b\"", .out = {"p", "a\"b"}},
        {.name = "no quote after", .in = "p a\\b c\\\\d\\", .out = {"p", "a\\b", "c\\\\d\\"}},
    };
    // clang-format on
    for (const SplitRow& row : rows)
        EXPECT_EQ(platform::SplitCommandLine(row.in), row.out) << row.name;
}

struct QuoteRow {
    const char* name;
    std::string argument;
    std::string quoted;
};

// Quoted only where the split would change it; the split gives each argument back whole.
TEST(QuoteCommandLineArgument, QuotesWhatTheSplitWouldChange) {
    // clang-format off
    const QuoteRow rows[] = {
        {.name = "plain", .argument = "/a/b\\c", .quoted = "/a/b\\c"},
        {.name = "space", .argument = "/Anna Maria/x", .quoted = "\"/Anna Maria/x\""},
        {.name = "empty", .argument = "", .quoted = "\"\""},
        {.name = "quote", .argument = "a\"b", .quoted = "\"a\\\"b\""},
        {.name = "backslashes before a quote", .argument = "a\\\"b", .quoted = "\"a\\\\\\\"b\""},
        {.name = "trailing backslash", .argument = "a b\\", .quoted = "\"a b\\\\\""},
    };
    // clang-format on
    for (const QuoteRow& row : rows) {
        EXPECT_EQ(platform::QuoteCommandLineArgument(row.argument), row.quoted) << row.name;
        const Words split = platform::SplitCommandLine("p " + row.quoted + " z");
        EXPECT_EQ(split, Words({"p", row.argument, "z"})) << row.name;
    }
}

}  // namespace
