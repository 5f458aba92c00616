#include <fcntl.h>
#include <gtest/gtest.h>
#include <spawn.h>
#include <sys/wait.h>

#include <algorithm>
#include <string>
#include <vector>

#include "support/temp_folder.h"
#include "support/test_environment.h"

extern char** environ;

namespace {

struct Finished {
    bool exited = false;
    int status = -1;
    std::string out;
    std::string err;
};

// Runs the real program with `arguments`, without any display unless `display` names one.
Finished RunProgram(const std::vector<std::string>& arguments, const std::string& display) {
    testsupport::TempFolder folder;
    const std::string outPath = folder / "out", errPath = folder / "err";
    std::vector<std::string> environment;
    for (char** entry = environ; *entry != nullptr; ++entry) {
        const std::string variable = *entry;
        if (!variable.starts_with("DISPLAY=") && !variable.starts_with("WAYLAND_DISPLAY=") &&
            !variable.starts_with("QT_QPA_PLATFORM="))
            environment.push_back(variable);
    }
    if (!display.empty()) environment.push_back("DISPLAY=" + display);
    std::vector<std::string> argv{MARQUILL_PROGRAM};
    argv.insert(argv.end(), arguments.begin(), arguments.end());
    std::vector<char*> argvPointers, envPointers;
    for (auto& argument : argv) argvPointers.push_back(argument.data());
    for (auto& variable : environment) envPointers.push_back(variable.data());
    argvPointers.push_back(nullptr);
    envPointers.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, outPath.c_str(), O_WRONLY | O_CREAT, 0600);
    posix_spawn_file_actions_addopen(&actions, 2, errPath.c_str(), O_WRONLY | O_CREAT, 0600);
    pid_t child = 0;
    Finished finished;
    if (posix_spawn(&child, argvPointers[0], &actions, nullptr, argvPointers.data(),
                    envPointers.data()) == 0) {
        int status = 0;
        waitpid(child, &status, 0);
        finished.exited = WIFEXITED(status);
        finished.status = finished.exited ? WEXITSTATUS(status) : -1;
    }
    posix_spawn_file_actions_destroy(&actions);
    finished.out = testsupport::ReadFile(outPath);
    finished.err = testsupport::ReadFile(errPath);
    return finished;
}

struct StartRow {
    const char* name;
    std::vector<std::string> arguments;
    std::string display;
    int status;
    std::string outStartsWith;
    std::string errStartsWith;
    long errLines;
};

class ProgramStartTest : public testsupport::IsolatedTest {};

// Answers on the terminal, in German, and never Qt's abort: a core dump would end the child
// by a signal instead of an exit.
TEST_F(ProgramStartTest, AnswersOnTheTerminalWithoutAWindow) {
    constexpr const char* kNoDisplay = "marquill: Keine grafische Anzeige erreichbar";
    const StartRow rows[] = {
        {.name = "help",
         .arguments = {"--help"},
         .display = "",
         .status = 0,
         .outStartsWith = "Aufruf: marquill [--help | --version]\n",
         .errStartsWith = "",
         .errLines = 0},
        {.name = "short help",
         .arguments = {"-h"},
         .display = "",
         .status = 0,
         .outStartsWith = "Aufruf: marquill",
         .errStartsWith = "",
         .errLines = 0},
        {.name = "version",
         .arguments = {"--version"},
         .display = "",
         .status = 0,
         .outStartsWith = "Marquill 1.0\n",
         .errStartsWith = "",
         .errLines = 0},
        {.name = "unknown argument",
         .arguments = {"--foo"},
         .display = "",
         .status = 2,
         .outStartsWith = "",
         .errStartsWith = "marquill: unbekanntes Argument „--foo“\n",
         .errLines = 2},
        {.name = "help and more",
         .arguments = {"--help", "x"},
         .display = "",
         .status = 2,
         .outStartsWith = "",
         .errStartsWith = "marquill: unbekanntes Argument „x“\n",
         .errLines = 2},
        {.name = "no display set",
         .arguments = {},
         .display = "",
         .status = 1,
         .outStartsWith = "",
         .errStartsWith = kNoDisplay,
         .errLines = 1},
        {.name = "display that does not answer",
         .arguments = {},
         .display = ":4711",
         .status = 1,
         .outStartsWith = "",
         .errStartsWith = kNoDisplay,
         .errLines = 1},
    };
    for (const auto& row : rows) {
        const Finished finished = RunProgram(row.arguments, row.display);
        EXPECT_TRUE(finished.exited) << row.name;
        EXPECT_EQ(finished.status, row.status) << row.name;
        EXPECT_TRUE(finished.out.starts_with(row.outStartsWith))
            << row.name << ": " << finished.out;
        EXPECT_TRUE(finished.err.starts_with(row.errStartsWith))
            << row.name << ": " << finished.err;
        EXPECT_EQ(row.outStartsWith.empty(), finished.out.empty()) << row.name;
        EXPECT_EQ(std::count(finished.err.begin(), finished.err.end(), '\n'), row.errLines)
            << row.name;
    }
}

}  // namespace
