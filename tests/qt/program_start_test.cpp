// The real program as a terminal starts it.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "support/test_environment.h"

namespace {

struct StartRow {
    const char* name;
    std::string arguments;
    std::string display;  // env's arguments for DISPLAY
    int status;
    std::string out;
    std::string err;  // how standard error starts
    long errLines;
};

constexpr const char* kNoDisplay = "marquill: Keine grafische Anzeige erreichbar";

// Answers on the terminal, in German; Qt's abort would end the shell's child with 134.
TEST(ProgramStart, AnswersOnTheTerminalWithoutAWindow) {
    // clang-format off
    const StartRow rows[] = {
        {.name = "help", .arguments = "--help", .display = "-u DISPLAY", .status = 0,
         .out = "Aufruf: marquill [--help | --version]\n", .err = "", .errLines = 0},
        {.name = "version", .arguments = "--version", .display = "-u DISPLAY", .status = 0,
         .out = "Marquill 1.0\n", .err = "", .errLines = 0},
        {.name = "unknown argument", .arguments = "--foo", .display = "-u DISPLAY", .status = 2,
         .out = "", .err = "marquill: unbekanntes Argument „--foo“\n", .errLines = 2},
        {.name = "no display set", .arguments = "", .display = "-u DISPLAY", .status = 1,
         .out = "", .err = kNoDisplay, .errLines = 1},
        {.name = "display not answering", .arguments = "", .display = "DISPLAY=:4711", .status = 1,
         .out = "", .err = kNoDisplay, .errLines = 1},
    };
    // clang-format on
    for (const StartRow& row : rows) {
        testsupport::TempFolder folder;
        const std::string command = "env -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM " + row.display +
                                    " " MARQUILL_PROGRAM " " + row.arguments + " >" +
                                    (folder / "out") + " 2>" + (folder / "err");
        const int status = std::system(command.c_str());
        const std::string out = testsupport::ReadFile(folder / "out");
        const std::string err = testsupport::ReadFile(folder / "err");
        EXPECT_EQ(WEXITSTATUS(status), row.status) << row.name;
        EXPECT_TRUE(out.starts_with(row.out) && (out.empty() == row.out.empty())) << row.name;
        EXPECT_TRUE(err.starts_with(row.err)) << row.name << ": " << err;
        EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), row.errLines) << row.name;
    }
}

using ProgramStartWithSettings = testsupport::IsolatedTest;

// Said once, before the window opens; the file stays as it was, also when the program is then
// ended as by a logout.
TEST_F(ProgramStartWithSettings, ASettingsFileWithATypoIsNamedOnceOnStandardError) {
    const std::string typoInLine5 =
        "REGEDIT4\n\n[HKEY_LOCAL_MACHINE\\SOFTWARE\\Tarvo\\Marquill]\n"
        "\"Path_POI\"=\"/poi/\"\n\"Path_SD\"=\"/sd/\n";
    std::filesystem::create_directories(ConfigHome() + "/marquill");
    testsupport::WriteFile(HivePath(), typoInLine5);
    // The shell's id first: timeout takes it over, and passes SIGTERM on to the program.
    FILE* shell = popen("echo $$; exec timeout 60 env QT_QPA_PLATFORM=offscreen " MARQUILL_PROGRAM
                        " 2>&1 >/dev/null",
                        "r");
    pid_t program = 0;
    std::string problem;
    int problems = 0;
    for (char text[1024]; fgets(text, sizeof text, shell) != nullptr;) {
        if (program == 0) program = std::atoi(text);
        if (!std::string(text).starts_with("Marquill:")) continue;
        if (problems++ > 0) continue;
        problem = text;
        usleep(500'000);  // time for a second line, were there one
        kill(program, SIGTERM);
    }
    pclose(shell);
    EXPECT_EQ(problems, 1);
    EXPECT_TRUE(problem.starts_with("Marquill: Die Einstellungsdatei " + HivePath() +
                                    " ist nicht lesbar, Zeile 5: Anführungszeichen nicht"))
        << problem;
    EXPECT_EQ(testsupport::ReadFile(HivePath()), typoInLine5);
}

}  // namespace
