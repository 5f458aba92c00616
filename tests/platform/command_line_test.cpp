#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/platform.h"

namespace {

struct SplitCase {
    const char* commandLine;
    std::vector<std::string> tokens;
};

class SplitCommandLineTest : public ::testing::TestWithParam<SplitCase> {};

TEST_P(SplitCommandLineTest, SplitsAsWindowsDoes) {
    EXPECT_EQ(platform::SplitCommandLine(GetParam().commandLine), GetParam().tokens);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SplitCommandLineTest,
    ::testing::Values(
        SplitCase{"", {}}, SplitCase{"  \t ", {}}, SplitCase{"prog", {"prog"}},
        SplitCase{"  prog   a\tb  c  ", {"prog", "a", "b", "c"}},
        SplitCase{"\"/opt/nav man/poicompiler\" IN.asc", {"/opt/nav man/poicompiler", "IN.asc"}},
        SplitCase{"/opt/\"nav man\"/p", {"/opt/nav man/p"}},
        // A program path keeps its backslashes, even before a closing quote.
        SplitCase{"\"C:\\nav\\\" x", {"C:\\nav\\", "x"}},
        SplitCase{"p \"a b\" c", {"p", "a b", "c"}}, SplitCase{"p a\"b c\"d", {"p", "ab cd"}},
        SplitCase{"p \"\" x", {"p", "", "x"}}, SplitCase{"p \"a b", {"p", "a b"}},
        SplitCase{"p \"a\"\"b\"", {"p", "a\"b"}},
        SplitCase{"p a\\b c\\\\d", {"p", "a\\b", "c\\\\d"}}, SplitCase{"p a\\\"b", {"p", "a\"b"}},
        SplitCase{"p a\\\\\"b c\"", {"p", "a\\b c"}}, SplitCase{"p a\\\\\\\"b", {"p", "a\\\"b"}},
        SplitCase{"p \"a\\\\\" b", {"p", "a\\", "b"}},
        SplitCase{"p trailing\\", {"p", "trailing\\"}},
        SplitCase{"p ;rm $(id) `id` | > < & 'q'",
                  {"p", ";rm", "$(id)", "`id`", "|", ">", "<", "&", "'q'"}}));

}  // namespace
