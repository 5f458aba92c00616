#include "core/utils/launch_wait.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <string>
#include <vector>

#include "core/runtime/runtime_error.h"
#include "core/vbreg/is_process.h"
#include "platform/platform.h"
#include "platform/process_list_testing.h"
#include "support/scripted_runtime.h"
#include "support/temp_folder.h"

namespace {

using platform::PROCESSENTRY32;

class LaunchWaitTest : public ::testing::Test {
protected:
    void TearDown() override { platform::test_seams::SetProcessListSource({}); }

    testsupport::TempFolder folder;
    testsupport::ScriptedRuntime runtime;
};

// An ended child answers 0 even while still unreaped; the process test reaps only its own.
TEST_F(LaunchWaitTest, IsProcessAnswersFromTheLiveList) {
    std::int32_t own = 0;
    ASSERT_EQ(platform::StartCommandLine("/bin/sleep 30", 0, &own), 0);
    const pid_t foreign = fork();
    if (foreign == 0) _exit(0);
    EXPECT_EQ(vbreg::isProcess(own), -1);
    siginfo_t info{};
    ASSERT_EQ(waitid(P_PID, static_cast<id_t>(foreign), &info, WEXITED | WNOWAIT), 0);
    ASSERT_EQ(kill(own, SIGTERM), 0);
    ASSERT_EQ(waitid(P_PID, static_cast<id_t>(own), &info, WEXITED | WNOWAIT), 0);
    EXPECT_EQ(vbreg::isProcess(own), 0);
    EXPECT_EQ(vbreg::isProcess(foreign), 0);
    EXPECT_TRUE(waitpid(own, nullptr, WNOHANG) == -1 && errno == ECHILD);
    EXPECT_EQ(waitpid(foreign, nullptr, WNOHANG), foreign);
    EXPECT_EQ(vbreg::isProcess(2147483000), 0);  // never existed
}

// Id 0 is a real entry, and -1 must not match the "nothing found" mark.
TEST_F(LaunchWaitTest, IsProcessWalksTheWholeList) {
    const struct {
        std::vector<std::int32_t> listed;
        std::int32_t wanted, answer;
    } cases[] = {{{}, 1, 0},        {{1, 2, 7}, 7, -1}, {{7, 1}, 7, -1},
                 {{1, 2, 3}, 7, 0}, {{0}, 0, -1},       {{1, 2}, -1, 0}};
    for (const auto& c : cases) {
        platform::test_seams::SetProcessListSource([&] {
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
    Utils::call_and_wait(program + " IN.asc", 0);
    EXPECT_TRUE(testsupport::FileExists(release) && testsupport::FileExists(done));
}

// A program that cannot start is reported at the start, naming the program (an empty line has
// none); one that started but cannot be tested is reported by the process test.
TEST_F(LaunchWaitTest, FailuresAreReportedAtTheirStatementAndEndTheProgram) {
    platform::test_seams::SetProcessListSource([]() -> std::vector<PROCESSENTRY32> {
        throw runtime::RuntimeError(runtime::kPermissionDenied);
    });
    const std::string at20 = "\r\nModul   : Utils\r\nFunktion: call_and_wait\r\nZeile   : 20\r\n";
    const std::string cases[][2] = {
        {"\"" + (folder / "poicompiler") + "\" IN.asc", "Datei nicht gefunden" + at20},
        {"", "Datei nicht gefunden" + at20},
        {folder / "no-such-folder/poicompiler", "Pfad nicht gefunden" + at20},
        {"/bin/true",
         "Zugriff verweigert\r\nModul   : vbreg\r\nFunktion: isProcess\r\nZeile   : 80\r\n"},
    };
    for (const auto& c : cases) {
        testsupport::ScriptedRuntime caseRuntime;
        EXPECT_THROW(Utils::call_and_wait(c[0], 0), runtime::ProgramEnded);
        ASSERT_EQ(caseRuntime.Boxes().size(), 1u) << c[0];
        EXPECT_EQ(caseRuntime.Boxes()[0].text, c[1]);
        EXPECT_TRUE(caseRuntime.Ended());
        EXPECT_EQ(caseRuntime.EventRuns(), 0);
    }
}

}  // namespace
