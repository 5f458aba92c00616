// The real program as a terminal starts it.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "support/test_environment.h"

namespace {

using ProgramStart = testsupport::IsolatedTest;

struct StartRow {
    const char* name;
    std::string arguments;
    std::string environment;  // env's arguments
    int status;
    std::string out;
    std::string err;  // how standard error starts, its only line
};

// Answers on the terminal, in German; Qt's abort would end the shell's child with 134. A
// settings file with a typo is named once and stays as it was.
TEST_F(ProgramStart, AnswersOnTheTerminal) {
    const std::string noDisplay = "marquill: Keine grafische Anzeige erreichbar";
    const std::string typoInLine5 =
        "REGEDIT4\n\n[HKEY_LOCAL_MACHINE\\SOFTWARE\\Tarvo\\Marquill]\n"
        "\"Path_POI\"=\"/poi/\"\n\"Path_SD\"=\"/sd/\n";
    std::filesystem::create_directories(ConfigHome() + "/marquill");
    testsupport::WriteFile(HivePath(), typoInLine5);
    // clang-format off
    const StartRow rows[] = {
        {.name = "help", .arguments = "--help", .environment = "-u DISPLAY", .status = 0,
         .out = "Aufruf: marquill [--help | --version]\n", .err = ""},
        {.name = "display not answering", .arguments = "", .environment = "DISPLAY=:4711",
         .status = 1, .out = "", .err = noDisplay},
        {.name = "settings file with a typo", .arguments = "",
         .environment = "QT_QPA_PLATFORM=offscreen", .status = 0,
         .out = "", .err = "Marquill: Die Einstellungsdatei " + HivePath() +
                           " ist nicht lesbar, Zeile 5: Anführungszeichen nicht"},
    };
    // clang-format on
    for (const StartRow& row : rows) {
        testsupport::TempFolder folder;  // also the runtime folder, which Qt wants private
        std::filesystem::permissions(folder.Path(), std::filesystem::perms::owner_all);
        // Ended after three seconds as by a logout, were the window to open.
        const std::string command = "env -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM " + row.environment +
                                    " XDG_RUNTIME_DIR=" + folder.Path() +
                                    " timeout --preserve-status 3 " MARQUILL_PROGRAM " " +
                                    row.arguments + " >" + (folder / "out") + " 2>" +
                                    (folder / "err");
        const int status = std::system(command.c_str());
        const std::string out = testsupport::ReadFile(folder / "out");
        const std::string err = testsupport::ReadFile(folder / "err");
        EXPECT_EQ(WEXITSTATUS(status), row.status) << row.name;
        EXPECT_TRUE(out.starts_with(row.out) && (out.empty() == row.out.empty())) << row.name;
        EXPECT_TRUE(err.starts_with(row.err)) << row.name << ": " << err;
        EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), row.err.empty() ? 0 : 1) << row.name;
    }
    EXPECT_EQ(testsupport::ReadFile(HivePath()), typoInLine5);
}

}  // namespace
