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

}  // namespace
