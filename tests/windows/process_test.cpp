// Processes under Wine: Toolhelp's list, the started child's handle, and programs that Windows
// cannot start.
#include <gtest/gtest.h>

#include <string>

#include "core/utils/launch_wait.h"
#include "core/vbreg/is_process.h"
#include "platform/platform.h"
#include "platform/win32/windows_api.h"
#include "support/scripted_runtime.h"
#include "support/temp_folder.h"

namespace {

// Listed while it runs, not once it has ended, although its handle is still open then; the
// handle goes once the list has shown the end.
TEST(WindowsProcesses, IsProcessSeesAStartedChildUntilItEnds) {
    std::int32_t id = 0;
    ASSERT_EQ(platform::StartCommandLine("test_child 30000", 0, &id), 0);
    EXPECT_EQ(vbreg::isProcess(id), -1);
    const platform::EndSignal end = platform::ChildEndSignal(id);
    ASSERT_NE(end, platform::kNoEndSignal);
    const auto process = reinterpret_cast<::HANDLE>(end);
    ASSERT_TRUE(::TerminateProcess(process, 0));
    ASSERT_EQ(::WaitForSingleObject(process, 10000), WAIT_OBJECT_0);
    EXPECT_EQ(platform::ChildEndSignal(id), end);
    EXPECT_EQ(vbreg::isProcess(id), 0);
    EXPECT_EQ(platform::ChildEndSignal(id), platform::kNoEndSignal);
}

struct StartRow {
    const char* name;
    std::string file;
    std::string error;
};

// Reported at statement 20 of call_and_wait, with the number the old runtime gave. A batch
// file would run through cmd.exe and is never started.
TEST(WindowsProcesses, AProgramThatCannotStartEndsTheRunAtStatement20) {
    testsupport::TempFolder folder;
    const std::string started = folder / "started.txt";
    testsupport::WriteFile(folder / "text.exe", "no program");
    for (const char* batch : {"poicompiler.bat", "poicompiler.cmd"})
        testsupport::WriteFile(folder / batch, "echo x > \"" + started + "\"");
    ASSERT_TRUE(testsupport::MakeFolder(folder / "folder.exe"));
    const std::string kDenied = "Zugriff verweigert";
    const std::string at20 = "\r\nModul   : Utils\r\nFunktion: call_and_wait\r\nZeile   : 20\r\n";
    // clang-format off
    const StartRow rows[] = {
        {.name = "compiler missing", .file = "poicompiler", .error = "Datei nicht gefunden"},
        {.name = "folder missing", .file = "NavMan\\poicompiler", .error = "Pfad nicht gefunden"},
        {.name = "no program", .file = "text.exe",
         .error = "Fehler beim Zugriff auf Pfad oder Datei"},
        {.name = "a folder", .file = "folder.exe", .error = kDenied},
        {.name = "batch file", .file = "poicompiler.bat", .error = kDenied},
        {.name = "batch file, dotted", .file = "poicompiler.bat.", .error = kDenied},
        {.name = "command file", .file = "POICOMPILER.CMD", .error = kDenied},
    };
    // clang-format on
    for (const StartRow& row : rows) {
        testsupport::ScriptedRuntime runtime;
        EXPECT_THROW(Utils::call_and_wait("\"" + (folder / row.file) + "\" IN.asc", 0),
                     runtime::ProgramEnded)
            << row.name;
        EXPECT_EQ(runtime.Texts(), std::vector{row.error + at20}) << row.name;
    }
    EXPECT_FALSE(testsupport::FileExists(started));
}

}  // namespace
