#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>

#include <cerrno>
#include <string>
#include <utility>
#include <vector>

#include "core/runtime/runtime.h"
#include "core/utils/utils.h"
#include "core/vbreg/vbreg.h"
#include "platform/platform.h"
#include "support/scripted_runtime.h"
#include "support/temp_folder.h"

extern char** environ;

namespace {

using platform::PROCESSENTRY32;

class LaunchWaitTest : public ::testing::Test {
protected:
    void TearDown() override { platform::SetProcessListSourceForTesting({}); }

    testsupport::TempFolder folder;
    testsupport::ScriptedRuntime runtime;
};

// An ended child answers 0 even while still unreaped; the process test reaps only its own.
TEST_F(LaunchWaitTest, IsProcessAnswersFromTheLiveList) {
    std::int32_t own = 0;
    ASSERT_EQ(platform::StartCommandLine("/bin/sleep 30", 0, &own), 0);
    EXPECT_EQ(vbreg::isProcess(own), -1);
    pid_t foreign = 0;
    char* argv[] = {const_cast<char*>("/bin/true"), nullptr};
    ASSERT_EQ(posix_spawn(&foreign, argv[0], nullptr, nullptr, argv, environ), 0);
    siginfo_t info{};
    ASSERT_EQ(waitid(P_PID, static_cast<id_t>(foreign), &info, WEXITED | WNOWAIT), 0);
    EXPECT_EQ(vbreg::isProcess(foreign), 0);  // asked while a child of its own is running
    ASSERT_EQ(kill(own, SIGTERM), 0);
    ASSERT_EQ(waitid(P_PID, static_cast<id_t>(own), &info, WEXITED | WNOWAIT), 0);
    EXPECT_EQ(vbreg::isProcess(own), 0);
    EXPECT_EQ(waitpid(own, nullptr, WNOHANG), -1);
    EXPECT_EQ(errno, ECHILD);
    EXPECT_EQ(waitpid(foreign, nullptr, WNOHANG), foreign);
    EXPECT_EQ(vbreg::isProcess(2147483000), 0);  // never existed
    EXPECT_TRUE(runtime.Boxes().empty());
}

TEST_F(LaunchWaitTest, IsProcessWalksTheWholeList) {
    const struct {
        std::vector<std::int32_t> listed;
        std::int32_t wanted;
        std::int16_t answer;
    } cases[] = {{{}, 1, 0},      {{7}, 7, -1},      {{1, 2, 3, 7}, 7, -1}, {{7, 1, 2}, 7, -1},
                 {{7, 7}, 7, -1}, {{1, 2, 3}, 7, 0}, {{0}, 0, -1},          {{1, 2}, -1, 0}};
    for (const auto& c : cases) {
        platform::SetProcessListSourceForTesting([&] {
            std::vector<PROCESSENTRY32> list(c.listed.size());
            for (std::size_t i = 0; i < list.size(); ++i) list[i].th32ProcessID = c.listed[i];
            return list;
        });
        EXPECT_EQ(vbreg::isProcess(c.wanted), c.answer) << c.wanted;
    }
}

// The program runs until the third event pass lets it go; it ends by marking itself done.
TEST_F(LaunchWaitTest, ReturnsOnlyAfterTheProgramEndedRunningEventsMeanwhile) {
    const std::string program = folder / "prog", release = folder / "go", done = folder / "done";
    testsupport::WriteFile(program, "#!/bin/sh\nfor i in $(seq 500); do [ -e '" + release +
                                        "' ] && break; sleep 0.01; done\ntouch '" + done + "'\n");
    chmod(program.c_str(), 0755);
    runtime.onEvents = [&] {
        if (runtime.EventRuns() == 3) testsupport::WriteFile(release, "");
    };
    Utils::call_and_wait(program + " IN.asc BITMAP=IN.bmp", 0);
    EXPECT_TRUE(testsupport::FileExists(release));
    EXPECT_TRUE(testsupport::FileExists(done));
    EXPECT_TRUE(runtime.Boxes().empty());
}

TEST_F(LaunchWaitTest, EndingTheProgramDuringTheWaitIsNotCaught) {
    platform::SetProcessListSourceForTesting([] { return std::vector<PROCESSENTRY32>{}; });
    runtime.onEvents = [] { runtime::EndProgram(); };
    EXPECT_THROW(Utils::call_and_wait("/bin/true", 0), runtime::ProgramEnded);
    EXPECT_TRUE(runtime.Boxes().empty());
}

TEST_F(LaunchWaitTest, FailingProcessTestIsReportedAtItsStatement) {
    platform::SetProcessListSourceForTesting([]() -> std::vector<PROCESSENTRY32> {
        throw runtime::RuntimeError(runtime::kPermissionDenied);
    });
    EXPECT_THROW(Utils::call_and_wait("/bin/true", 0), runtime::ProgramEnded);
    ASSERT_EQ(runtime.Boxes().size(), 1u);
    EXPECT_EQ(runtime.Boxes()[0].text,
              "Zugriff verweigert\r\nModul   : vbreg\r\nFunktion: isProcess\r\nZeile   : 80\r\n");
}

TEST_F(LaunchWaitTest, ProgramThatCannotStartIsReportedAtStatementTwenty) {
    testsupport::WriteFile(folder / "plain.txt", "not executable");
    const std::pair<std::string, std::string> cases[] = {
        {"\"" + (folder / "poicompiler") + "\" IN.asc BITMAP=IN.bmp", "Datei nicht gefunden"},
        {"", "Datei nicht gefunden"},
        {folder / "no-such-folder/poicompiler", "Pfad nicht gefunden"},
        {folder / "plain.txt", "Zugriff verweigert"},
        {folder.Path(), "Zugriff verweigert"},
    };
    const std::string where = "\r\nModul   : Utils\r\nFunktion: call_and_wait\r\nZeile   : 20\r\n";
    for (const auto& c : cases) {
        testsupport::ScriptedRuntime caseRuntime;
        EXPECT_THROW(Utils::call_and_wait(c.first, 0), runtime::ProgramEnded);
        ASSERT_EQ(caseRuntime.Boxes().size(), 1u) << c.first;
        EXPECT_EQ(caseRuntime.Boxes()[0].text, c.second + where);
        EXPECT_TRUE(caseRuntime.Ended());
        EXPECT_EQ(caseRuntime.EventRuns(), 0);
    }
}

}  // namespace
