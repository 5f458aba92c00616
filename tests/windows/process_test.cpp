// Processes under Wine: Toolhelp's list, the started child's handle, programs that Windows
// cannot start, and arguments as Windows splits them.
#include <gtest/gtest.h>

#include <sstream>
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

std::string Quoted(const std::string& text) {
    return "\"" + text + "\"";
}

const std::string& Child() {
    static const std::string child = Quoted(wintest::ProgramBeside("test_child.exe"));
    return child;
}

// Listed while it runs, not once it has ended, although its handle is still open then; the
// handle goes once the list has shown the end.
TEST(WindowsProcesses, IsProcessSeesAStartedChildUntilItEnds) {
    std::int32_t id = 0;
    ASSERT_EQ(platform::StartCommandLine(Child() + " sleep 30000", 0, &id), 0);
    EXPECT_EQ(vbreg::isProcess(id), -1);
    const platform::EndSignal end = platform::ChildEndSignal(id);
    ASSERT_NE(end, platform::kNoEndSignal);
    const auto process = reinterpret_cast<::HANDLE>(end);
    ASSERT_TRUE(::TerminateProcess(process, 0));
    ASSERT_EQ(::WaitForSingleObject(process, 10000), WAIT_OBJECT_0);
    EXPECT_EQ(platform::ChildEndSignal(id), end);
    EXPECT_EQ(vbreg::isProcess(id), 0);
    EXPECT_EQ(platform::ChildEndSignal(id), platform::kNoEndSignal);
    EXPECT_EQ(vbreg::isProcess(2147483000), 0);  // never existed
}

TEST(WindowsProcesses, TheListShowsThisProgramAndRefusesClosedSnapshots) {
    const platform::HANDLE snapshot =
        platform::CreateToolhelp32Snapshot(platform::TH32CS_SNAPALL, 0);
    platform::PROCESSENTRY32 entry, own;
    entry.dwSize = 296;
    for (bool read = platform::Process32First(snapshot, &entry); read;
         read = platform::Process32Next(snapshot, &entry)) {
        if (entry.th32ProcessID == static_cast<std::int32_t>(::GetCurrentProcessId())) own = entry;
    }
    EXPECT_EQ(own.szExeFile, "windows_tests.exe");
    EXPECT_TRUE(platform::CloseHandle(snapshot));
    EXPECT_FALSE(platform::CloseHandle(snapshot));
    EXPECT_FALSE(platform::Process32First(snapshot, &entry));
    EXPECT_FALSE(platform::CloseHandle(platform::INVALID_HANDLE_VALUE));
}

TEST(WindowsProcesses, ATestsListReplacesTheLiveOne) {
    const struct {
        const char* name;
        std::vector<std::int32_t> listed;
        std::int32_t wanted;
        std::int16_t answer;
    } rows[] = {
        {.name = "listed_last", .listed = {4, 7}, .wanted = 7, .answer = -1},
        {.name = "not_listed", .listed = {4, 8}, .wanted = 7, .answer = 0},
        {.name = "id_zero", .listed = {0}, .wanted = 0, .answer = -1},
    };
    for (const auto& row : rows) {
        platform::test_seams::SetProcessListSource([&] {
            std::vector<platform::PROCESSENTRY32> list(row.listed.size());
            for (std::size_t i = 0; i < list.size(); ++i) list[i].th32ProcessID = row.listed[i];
            return list;
        });
        EXPECT_EQ(vbreg::isProcess(row.wanted), row.answer) << row.name;
    }
    platform::test_seams::SetProcessListSource({});
}

// Reported at statement 20 of call_and_wait, with the number the old runtime gave. A batch
// file would run through cmd.exe and is never started.
TEST(WindowsProcesses, AProgramThatCannotStartEndsTheRunAtStatement20) {
    testsupport::TempFolder folder;
    testsupport::WriteFile(folder / "text.exe", "no program");
    testsupport::WriteFile(folder / "poicompiler.bat",
                           "echo started > \"" + (folder / "started.txt") + "\"");
    ASSERT_TRUE(testsupport::MakeFolder(folder / "folder.exe"));
    const struct {
        const char* name;
        std::string commandLine;
        std::string error;
    } rows[] = {
        {.name = "compiler_missing",
         .commandLine = Quoted(folder / "poicompiler") + " IN.asc",
         .error = "Datei nicht gefunden"},
        {.name = "folder_missing",
         .commandLine = Quoted(folder / "NavMan\\poicompiler"),
         .error = "Pfad nicht gefunden"},
        {.name = "empty", .commandLine = "", .error = "Datei nicht gefunden"},
        {.name = "not_a_program",
         .commandLine = Quoted(folder / "text.exe"),
         .error = "Fehler beim Zugriff auf Pfad oder Datei"},
        {.name = "a_folder",
         .commandLine = Quoted(folder / "folder.exe"),
         .error = "Zugriff verweigert"},
        {.name = "batch_file",
         .commandLine = Quoted(folder / "poicompiler.bat"),
         .error = "Zugriff verweigert"},
    };
    for (const auto& row : rows) {
        testsupport::ScriptedRuntime runtime;
        EXPECT_THROW(Utils::call_and_wait(row.commandLine, 0), runtime::ProgramEnded) << row.name;
        ASSERT_EQ(runtime.Boxes().size(), 1u) << row.name;
        EXPECT_EQ(runtime.Boxes()[0].text,
                  row.error + "\r\nModul   : Utils\r\nFunktion: call_and_wait\r\nZeile   : 20\r\n")
            << row.name;
    }
    EXPECT_FALSE(testsupport::FileExists(folder / "started.txt"));
}

// Windows splits the arguments in the child, by the rules that SplitCommandLine follows; no
// shell reads any of them.
TEST(WindowsProcesses, TheChildGetsTheArgumentsAsSplitAndNoShellRuns) {
    testsupport::TempFolder folder;
    const std::string out = folder / "args.txt", marker = folder / "marker.txt";
    const std::string line = Child() + " args " + Quoted(out) +
                             " \"zwei Wörter\" Ölwechsel a\\\"b \"c\\\\\" d\\e && echo x > " +
                             Quoted(marker) + " | %PATH% ^ \"\"";
    std::int32_t id = 0;
    ASSERT_EQ(platform::StartCommandLine(line, 0, &id), 0);
    const auto process = reinterpret_cast<::HANDLE>(platform::ChildEndSignal(id));
    ASSERT_EQ(::WaitForSingleObject(process, 10000), WAIT_OBJECT_0);
    std::vector<std::string> arrived;
    std::istringstream lines(testsupport::ReadFile(out));
    for (std::string argument; std::getline(lines, argument);) arrived.push_back(argument);
    const std::vector<std::string> split = platform::SplitCommandLine(line);
    EXPECT_EQ(arrived, std::vector<std::string>(split.begin() + 3, split.end()));
    EXPECT_FALSE(testsupport::FileExists(marker));
}

}  // namespace
