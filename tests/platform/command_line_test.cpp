#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/platform.h"

namespace {

TEST(SplitCommandLine, SplitsAsWindowsDoes) {
    const struct {
        const char* commandLine;
        std::vector<std::string> tokens;
    } cases[] = {
        {"  \t ", {}},
        {"  prog   a\tb  \"\" ", {"prog", "a", "b", ""}},
        {"\"/a b/p\" /a\" b\"/q \"c d", {"/a b/p", "/a b/q", "c d"}},
        // A program path keeps its backslashes, even before a closing quote.
        {"\"C:\\nav\\\" x", {"C:\\nav\\", "x"}},
        {"p \"a\"\"b\" a\\b c\\\\d trailing\\", {"p", "a\"b", "a\\b", "c\\\\d", "trailing\\"}},
        {"p a\\\\\\\"b \"a\\\\\" b", {"p", "a\\\"b", "a\\", "b"}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(platform::SplitCommandLine(c.commandLine), c.tokens) << c.commandLine;
}

// Quoted only where the split would change it; the split gives each argument back whole.
TEST(QuoteCommandLineArgument, QuotesWhatTheSplitWouldChange) {
    const struct {
        const char* name;
        std::string argument;
        std::string quoted;
    } rows[] = {
        {.name = "plain", .argument = "/a/b\\c", .quoted = "/a/b\\c"},
        {.name = "space", .argument = "/Anna Maria/x", .quoted = "\"/Anna Maria/x\""},
        {.name = "empty", .argument = "", .quoted = "\"\""},
        {.name = "quote", .argument = "a\"b", .quoted = "\"a\\\"b\""},
        {.name = "backslashes_before_quote", .argument = "a\\\"b", .quoted = "\"a\\\\\\\"b\""},
        {.name = "trailing_backslash", .argument = "a b\\", .quoted = "\"a b\\\\\""},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(platform::QuoteCommandLineArgument(row.argument), row.quoted) << row.name;
        EXPECT_EQ(platform::SplitCommandLine("p " + row.quoted + " z"),
                  (std::vector<std::string>{"p", row.argument, "z"}))
            << row.name;
    }
}

}  // namespace
