#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>

#include <string>
#include <vector>

#include "platform/platform.h"
#include "support/temp_folder.h"

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

// Were a shell involved, one of these arguments would create the marker. The child also gets
// no terminal input to block on.
TEST(StartCommandLine, RunsOnlyTheQuotedProgramWithPlainTextArguments) {
    testsupport::TempFolder folder;
    ASSERT_EQ(mkdir((folder / "nav man").c_str(), 0755), 0);
    const std::string program = folder / "nav man/prog", out = folder / "out", m = folder / "m";
    testsupport::WriteFile(program, "#!/bin/sh\nprintf '[%s]' \"$@\" > '" + out +
                                        "'\nreadlink /proc/$$/fd/0 >> '" + out + "'\n");
    chmod(program.c_str(), 0755);
    std::string line = "\"" + program + "\" \"two words\"", expected = "[two words]";
    for (const std::string word :
         {";touch", "$(touch", ")", "`touch", "`", "|", "touch", ">", "&&"})
        line += " " + word + " " + m, expected += "[" + word + "][" + m + "]";
    std::int32_t pid = 0;
    ASSERT_EQ(platform::StartCommandLine(line, 0, &pid), 0);
    ASSERT_EQ(waitpid(pid, nullptr, 0), pid);
    EXPECT_EQ(testsupport::ReadFile(out), expected + "/dev/null\n");
    EXPECT_FALSE(testsupport::FileExists(m));
}

}  // namespace
