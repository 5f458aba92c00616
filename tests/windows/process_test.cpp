// Processes under Wine: Toolhelp's list, and programs that Windows cannot start.
#include <gtest/gtest.h>

#include <string>

#include "core/utils/launch_wait.h"
#include "core/vbreg/is_process.h"
#include "platform/platform.h"
#include "platform/win32/windows_api.h"
#include "support/scripted_runtime.h"
#include "support/temp_folder.h"

namespace {

// Listed while it runs, not once it has ended, although its handle is still open then.
TEST(WindowsProcesses, IsProcessSeesAStartedChildUntilItEnds) {
    std::int32_t id = 0;
    ASSERT_EQ(platform::StartCommandLine("test_child 30000", 0, &id), 0);
    EXPECT_EQ(vbreg::isProcess(id), -1);
    const auto process = reinterpret_cast<::HANDLE>(platform::ChildEndSignal(id));
    ASSERT_TRUE(::TerminateProcess(process, 0));
    ASSERT_EQ(::WaitForSingleObject(process, 10000), WAIT_OBJECT_0);
    EXPECT_EQ(vbreg::isProcess(id), 0);
}

struct StartRow {
    std::string file;
    std::string error;
};

// Reported at statement 20 of call_and_wait, with the number the old runtime gave (53 for a
// missing file). A batch file would run through cmd.exe and is never started.
TEST(WindowsProcesses, AProgramThatCannotStartEndsTheRunAtStatement20) {
    testsupport::TempFolder folder;
    const std::string started = folder / "started.txt";
    for (const char* batch : {"poicompiler.bat", "poicompiler.cmd"})
        testsupport::WriteFile(folder / batch, "echo x > \"" + started + "\"");
    const std::string at20 = "\r\nModul   : Utils\r\nFunktion: call_and_wait\r\nZeile   : 20\r\n";
    const StartRow rows[] = {
        {.file = "poicompiler", .error = "Datei nicht gefunden"},
        {.file = "poicompiler.bat", .error = "Zugriff verweigert"},
        {.file = "poicompiler.cmd", .error = "Zugriff verweigert"},
    };
    for (const StartRow& row : rows) {
        testsupport::ScriptedRuntime runtime;
        EXPECT_THROW(Utils::call_and_wait("\"" + (folder / row.file) + "\" IN.asc", 0),
                     runtime::ProgramEnded)
            << row.file;
        EXPECT_EQ(runtime.Texts(), std::vector{row.error + at20}) << row.file;
    }
    EXPECT_FALSE(testsupport::FileExists(started));
}

}  // namespace
