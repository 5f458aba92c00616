#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>

#include <cerrno>
#include <sstream>
#include <string>
#include <vector>

#include "platform/platform.h"
#include "support/temp_folder.h"

namespace {

using testsupport::FileExists;
using testsupport::ReadFile;
using testsupport::TempFolder;
using testsupport::WriteFile;

void WriteScript(const std::string& path, const std::string& body) {
    WriteFile(path, "#!/bin/sh\n" + body);
    chmod(path.c_str(), 0755);
}

// Starts the command line and waits for the child's end; the child's exit status, or -1.
int RunToEnd(const std::string& commandLine) {
    std::int32_t pid = 0;
    const int err = platform::StartCommandLine(commandLine, 0, &pid);
    EXPECT_EQ(err, 0) << commandLine;
    if (err != 0) return -1;
    int status = 0;
    if (waitpid(pid, &status, 0) != pid || !WIFEXITED(status)) return -1;
    return WEXITSTATUS(status);
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

TEST(StartCommandLine, ShellSyntaxReachesTheProgramAsPlainText) {
    TempFolder folder;
    const std::string script = folder / "args.sh";
    WriteScript(script, "for a in \"$@\"; do printf '%s\\n' \"$a\"; done > '" + folder.Path() +
                            "/args.txt'\n");
    const std::string marker = folder / "ran";
    const std::string commandLine = "\"" + script + "\" a;touch " + marker + "1 $(touch " + marker +
                                    "2) `touch " + marker + "3` | touch " + marker + "4 > " +
                                    marker + "5 && touch " + marker + "6";

    ASSERT_EQ(RunToEnd(commandLine), 0);

    const std::vector<std::string> expected = {
        "a;touch", marker + "1", "$(touch", marker + "2)", "`touch", marker + "3`", "|",
        "touch",   marker + "4", ">",       marker + "5",  "&&",     "touch",       marker + "6"};
    EXPECT_EQ(Lines(ReadFile(folder / "args.txt")), expected);
    for (const char* suffix : {"1", "2", "3", "4", "5", "6"}) {
        EXPECT_FALSE(FileExists(marker + suffix)) << suffix;
    }
}

TEST(StartCommandLine, QuotedProgramPathWithBlankRuns) {
    TempFolder folder;
    ASSERT_EQ(mkdir((folder / "nav man").c_str(), 0755), 0);
    const std::string script = folder / "nav man/prog";
    WriteScript(script, "printf '%s' \"$1\" > '" + folder.Path() + "/out.txt'\n");

    ASSERT_EQ(RunToEnd("\"" + script + "\" \"two words\""), 0);
    EXPECT_EQ(ReadFile(folder / "out.txt"), "two words");
}

TEST(StartCommandLine, ChildReadsNothingFromStandardInput) {
    TempFolder folder;
    const std::string script = folder / "stdin.sh";
    WriteScript(script, "readlink /proc/$$/fd/0 > '" + folder.Path() + "/stdin.txt'\n");

    ASSERT_EQ(RunToEnd(script), 0);
    EXPECT_EQ(ReadFile(folder / "stdin.txt"), "/dev/null\n");
}

TEST(StartCommandLine, ProgramThatCannotStartReportsItsErrno) {
    TempFolder folder;
    WriteFile(folder / "plain.txt", "not a program\n");  // not executable
    ASSERT_EQ(mkdir((folder / "dir").c_str(), 0755), 0);
    const struct {
        std::string commandLine;
        int err;
    } cases[] = {
        {folder / "missing", ENOENT},
        {"\"" + (folder / "missing") + "\" arg", ENOENT},
        {folder / "no/such/folder/prog", ENOENT},
        {folder / "plain.txt", EACCES},
        {folder / "dir", EACCES},
        {"", ENOENT},
        {"\"\" arg", ENOENT},
    };
    for (const auto& c : cases) {
        std::int32_t pid = -7;
        EXPECT_EQ(platform::StartCommandLine(c.commandLine, 0, &pid), c.err) << c.commandLine;
        EXPECT_EQ(pid, -7) << c.commandLine;
    }
}

}  // namespace
