#include <gtest/gtest.h>
#include <sys/wait.h>

#include <algorithm>
#include <cstdlib>

#include "support/temp_folder.h"

namespace {

struct StartRow {
    const char* name;
    std::string arguments;
    std::string display;  // env's arguments for DISPLAY
    int status;
    std::string out;
    std::string errStartsWith;
    long errLines;
};

constexpr const char* kNoDisplay = "marquill: Keine grafische Anzeige erreichbar";

// Answers on the terminal, in German; Qt's abort would end the shell's child with 134.
TEST(ProgramStart, AnswersOnTheTerminalWithoutAWindow) {
    // clang-format off
    const StartRow rows[] = {
        {.name = "help", .arguments = "--help", .display = "-u DISPLAY", .status = 0,
         .out = "Aufruf: marquill [--help | --version]\n", .errStartsWith = "", .errLines = 0},
        {.name = "version", .arguments = "--version", .display = "-u DISPLAY", .status = 0,
         .out = "Marquill 1.0\n", .errStartsWith = "", .errLines = 0},
        {.name = "unknown argument", .arguments = "--foo", .display = "-u DISPLAY", .status = 2,
         .out = "", .errStartsWith = "marquill: unbekanntes Argument „--foo“\n", .errLines = 2},
        {.name = "no display set", .arguments = "", .display = "-u DISPLAY", .status = 1,
         .out = "", .errStartsWith = kNoDisplay, .errLines = 1},
        {.name = "display not answering", .arguments = "", .display = "DISPLAY=:4711", .status = 1,
         .out = "", .errStartsWith = kNoDisplay, .errLines = 1},
    };
    // clang-format on
    for (const auto& row : rows) {
        testsupport::TempFolder folder;
        const std::string command = "env -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM " + row.display +
                                    " " + MARQUILL_PROGRAM + " " + row.arguments + " >" +
                                    (folder / "out") + " 2>" + (folder / "err");
        const int status = std::system(command.c_str());
        const std::string out = testsupport::ReadFile(folder / "out");
        const std::string err = testsupport::ReadFile(folder / "err");
        EXPECT_EQ(WEXITSTATUS(status), row.status) << row.name;
        EXPECT_TRUE(out.starts_with(row.out) && (out.empty() == row.out.empty())) << row.name;
        EXPECT_TRUE(err.starts_with(row.errStartsWith)) << row.name << ": " << err;
        EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), row.errLines) << row.name;
    }
}

}  // namespace
