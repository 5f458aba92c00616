// Processes under Wine: Toolhelp's list, the started child's handle, and programs that Windows
// cannot start.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/utils/launch_wait.h"
#include "core/vbreg/is_process.h"
#include "platform/platform.h"
#include "platform/process_list_testing.h"
#include "platform/win32/windows_api.h"
#include "support/scripted_runtime.h"
#include "support/temp_folder.h"
#include "windows/windows_test_util.h"

namespace {

// Listed while it runs, not once it has ended, although its handle is still open then; the
// handle goes once the list has shown the end. A test's list replaces the live one.
TEST(WindowsProcesses, IsProcessSeesAStartedChildUntilItEnds) {
    std::int32_t id = 0;
    ASSERT_EQ(platform::StartCommandLine(wintest::TestChild() + " sleep 30000", 0, &id), 0);
    EXPECT_EQ(vbreg::isProcess(id), -1);
    const platform::EndSignal end = platform::ChildEndSignal(id);
    ASSERT_NE(end, platform::kNoEndSignal);
    const auto process = reinterpret_cast<::HANDLE>(end);
    ASSERT_TRUE(::TerminateProcess(process, 0));
    ASSERT_EQ(::WaitForSingleObject(process, 10000), WAIT_OBJECT_0);
    EXPECT_EQ(platform::ChildEndSignal(id), end);
    EXPECT_EQ(vbreg::isProcess(id), 0);
    EXPECT_EQ(platform::ChildEndSignal(id), platform::kNoEndSignal);
    platform::test_seams::SetProcessListSource([id] {
        std::vector<platform::PROCESSENTRY32> list(1);
        list[0].th32ProcessID = id;
        return list;
    });
    EXPECT_EQ(vbreg::isProcess(id), -1);
    platform::test_seams::SetProcessListSource({});
}

// Reported at statement 20 of call_and_wait, with the number the old runtime gave. A batch
// file would run through cmd.exe and is never started.
TEST(WindowsProcesses, AProgramThatCannotStartEndsTheRunAtStatement20) {
    testsupport::TempFolder folder;
    const std::string started = folder / "started.txt";
    testsupport::WriteFile(folder / "text.exe", "no program");
    testsupport::WriteFile(folder / "poicompiler.bat", "echo x > \"" + started + "\"");
    ASSERT_TRUE(testsupport::MakeFolder(folder / "folder.exe"));
    const struct {
        const char* name;
        std::string program;
        std::string error;
    } rows[] = {
        {.name = "compiler_missing", .program = "poicompiler", .error = "Datei nicht gefunden"},
        {.name = "folder_missing",
         .program = "NavMan\\poicompiler",
         .error = "Pfad nicht gefunden"},
        {.name = "not_a_program",
         .program = "text.exe",
         .error = "Fehler beim Zugriff auf Pfad oder Datei"},
        {.name = "a_folder", .program = "folder.exe", .error = "Zugriff verweigert"},
        {.name = "batch_file", .program = "poicompiler.bat", .error = "Zugriff verweigert"},
        {.name = "batch_file_dotted", .program = "poicompiler.bat.", .error = "Zugriff verweigert"},
    };
    for (const auto& row : rows) {
        testsupport::ScriptedRuntime runtime;
        EXPECT_THROW(Utils::call_and_wait("\"" + (folder / row.program) + "\" IN.asc", 0),
                     runtime::ProgramEnded)
            << row.name;
        ASSERT_EQ(runtime.Boxes().size(), 1u) << row.name;
        EXPECT_EQ(runtime.Boxes()[0].text,
                  row.error + "\r\nModul   : Utils\r\nFunktion: call_and_wait\r\nZeile   : 20\r\n")
            << row.name;
    }
    EXPECT_FALSE(testsupport::FileExists(started));
}

}  // namespace
