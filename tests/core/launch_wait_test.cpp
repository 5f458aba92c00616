#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "core/runtime/runtime.h"
#include "core/utils/utils.h"
#include "core/vbreg/vbreg.h"
#include "platform/platform.h"
#include "support/scripted_runtime.h"
#include "support/temp_folder.h"
#include "support/test_environment.h"

namespace {

using platform::PROCESSENTRY32;
using testsupport::FileExists;
using testsupport::ReadFile;
using testsupport::WriteFile;

constexpr std::int32_t kNeverExisted = 2147483000;

PROCESSENTRY32 Entry(std::int32_t id) {
    PROCESSENTRY32 entry;
    entry.th32ProcessID = id;
    return entry;
}

class LaunchWaitTest : public testsupport::IsolatedTest {
protected:
    void TearDown() override {
        platform::SetProcessListSourceForTesting({});
        IsolatedTest::TearDown();
    }

    std::string Script(const std::string& name, const std::string& body) {
        const std::string path = folder / name;
        WriteFile(path, "#!/bin/sh\n" + body);
        chmod(path.c_str(), 0755);
        return path;
    }

    // The id a started script wrote into `path` first thing; waits for it to appear.
    static std::int32_t PidFrom(const std::string& path) {
        for (int tries = 0; tries < 5000 && !FileExists(path); ++tries) {
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        for (int tries = 0; tries < 5000; ++tries) {
            const std::string text = ReadFile(path);
            if (!text.empty() && text.back() == '\n') return std::stoi(text);
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        throw std::runtime_error("no process id in " + path);
    }

    std::string ErrorBox(const std::string& description, const std::string& module,
                         const std::string& procedure, int statement) {
        return description + "\r\nModul   : " + module + "\r\nFunktion: " + procedure +
               "\r\nZeile   : " + std::to_string(statement) + "\r\n";
    }

    testsupport::TempFolder folder;
    testsupport::ScriptedRuntime runtime;
};

TEST_F(LaunchWaitTest, IsProcessAnswersFromTheLiveList) {
    std::int32_t pid = 0;
    ASSERT_EQ(platform::StartCommandLine("/bin/sleep 30", 0, &pid), 0);
    EXPECT_EQ(vbreg::isProcess(pid), -1);

    ASSERT_EQ(kill(pid, SIGTERM), 0);
    siginfo_t info{};
    ASSERT_EQ(waitid(P_PID, static_cast<id_t>(pid), &info, WEXITED | WNOWAIT), 0);
    EXPECT_EQ(vbreg::isProcess(pid), 0);  // ended, though not yet reaped when asked
    EXPECT_EQ(vbreg::isProcess(kNeverExisted), 0);
    EXPECT_EQ(vbreg::isProcess(getpid()), -1);
    EXPECT_TRUE(runtime.Boxes().empty());
}

TEST_F(LaunchWaitTest, IsProcessWalksTheWholeList) {
    const struct {
        std::vector<std::int32_t> listed;
        std::int32_t wanted;
        std::int16_t answer;
    } cases[] = {
        {{}, 1, 0},      {{7}, 7, -1},      {{1, 2, 3, 7}, 7, -1}, {{7, 1, 2}, 7, -1},
        {{7, 7}, 7, -1}, {{1, 2, 3}, 7, 0}, {{0}, 0, -1},          {{1, 2}, -1, 0},
    };
    for (const auto& c : cases) {
        platform::SetProcessListSourceForTesting([&] {
            std::vector<PROCESSENTRY32> list;
            for (std::int32_t id : c.listed) list.push_back(Entry(id));
            return list;
        });
        EXPECT_EQ(vbreg::isProcess(c.wanted), c.answer) << c.wanted;
    }
}

TEST_F(LaunchWaitTest, FailureInsideIsProcessIsReportedWithItsStatement) {
    platform::SetProcessListSourceForTesting([]() -> std::vector<PROCESSENTRY32> {
        throw runtime::RuntimeError(runtime::kPathFileAccessError);
    });
    EXPECT_THROW(vbreg::isProcess(1), runtime::ProgramEnded);
    ASSERT_EQ(runtime.Boxes().size(), 1u);
    EXPECT_EQ(runtime.Boxes()[0].text,
              ErrorBox("Fehler beim Zugriff auf Pfad oder Datei", "vbreg", "isProcess", 80));
    EXPECT_EQ(runtime.Boxes()[0].style, runtime::vbCritical);
    EXPECT_EQ(runtime.Boxes()[0].title, "Marquill");
}

TEST_F(LaunchWaitTest, WaitsWhileListedAndRunsEventsOnEveryPass) {
    const std::string pidFile = folder / "pid";
    const std::string program = Script("long.sh", "echo $$ > '" + pidFile + "'\nexec sleep 30\n");
    for (int listedSnapshots : {0, 1, 5}) {
        int snapshots = 0;
        platform::SetProcessListSourceForTesting([&] {
            std::vector<PROCESSENTRY32> list = {Entry(1)};
            if (snapshots++ < listedSnapshots) list.push_back(Entry(PidFrom(pidFile)));
            return list;
        });
        const int runsBefore = runtime.EventRuns();

        Utils::call_and_wait("\"" + program + "\"", 0);

        EXPECT_EQ(snapshots, listedSnapshots + 1);
        EXPECT_EQ(runtime.EventRuns() - runsBefore, listedSnapshots + 1);
        const pid_t pid = PidFrom(pidFile);
        kill(pid, SIGKILL);
        waitpid(pid, nullptr, 0);
        std::remove(pidFile.c_str());
    }
    EXPECT_TRUE(runtime.Boxes().empty());
}

TEST_F(LaunchWaitTest, ReturnsOnlyAfterTheProgramHasEnded) {
    const std::string pidFile = folder / "pid";
    const std::string doneFile = folder / "done";
    const std::string program = Script(
        "short.sh", "echo $$ > '" + pidFile + "'\nsleep 0.3\necho done > '" + doneFile + "'\n");
    runtime.onEvents = [] { std::this_thread::sleep_for(std::chrono::milliseconds(1)); };

    Utils::call_and_wait(program + " IN.asc BITMAP=IN.bmp", 0);

    EXPECT_TRUE(FileExists(doneFile));
    const pid_t pid = PidFrom(pidFile);
    EXPECT_EQ(kill(pid, 0), -1);  // ended and reaped
    EXPECT_EQ(errno, ESRCH);
    EXPECT_GT(runtime.EventRuns(), 1);
    EXPECT_TRUE(runtime.Boxes().empty());
}

TEST_F(LaunchWaitTest, EndingTheProgramDuringTheWaitIsNotCaught) {
    platform::SetProcessListSourceForTesting([] { return std::vector<PROCESSENTRY32>{}; });
    runtime.onEvents = [] { runtime::EndProgram(); };
    EXPECT_THROW(Utils::call_and_wait("/bin/true", 0), runtime::ProgramEnded);
    EXPECT_TRUE(runtime.Boxes().empty());
}

TEST_F(LaunchWaitTest, FailingProcessTestEndsTheWaitWithItsOwnReport) {
    platform::SetProcessListSourceForTesting([]() -> std::vector<PROCESSENTRY32> {
        throw runtime::RuntimeError(runtime::kPermissionDenied);
    });
    EXPECT_THROW(Utils::call_and_wait("/bin/true", 0), runtime::ProgramEnded);
    ASSERT_EQ(runtime.Boxes().size(), 1u);
    EXPECT_EQ(runtime.Boxes()[0].text, ErrorBox("Zugriff verweigert", "vbreg", "isProcess", 80));
}

TEST_F(LaunchWaitTest, ProgramThatCannotStartIsReportedAtStatementTwenty) {
    WriteFile(folder / "poicompiler.txt", "not executable");
    const struct {
        std::string commandLine;
        const char* description;
    } cases[] = {
        {"\"" + (folder / "poicompiler") + "\" IN.asc BITMAP=IN.bmp", "Datei nicht gefunden"},
        {folder / "no-such-folder/poicompiler", "Pfad nicht gefunden"},
        {folder / "poicompiler.txt", "Zugriff verweigert"},
    };
    for (const auto& c : cases) {
        testsupport::ScriptedRuntime caseRuntime;
        EXPECT_THROW(Utils::call_and_wait(c.commandLine, 0), runtime::ProgramEnded);
        ASSERT_EQ(caseRuntime.Boxes().size(), 1u) << c.commandLine;
        EXPECT_EQ(caseRuntime.Boxes()[0].text,
                  ErrorBox(c.description, "Utils", "call_and_wait", 20));
        EXPECT_EQ(caseRuntime.Boxes()[0].style, runtime::vbCritical);
        EXPECT_EQ(caseRuntime.Boxes()[0].title, "Marquill");
        EXPECT_TRUE(caseRuntime.Ended());
        EXPECT_EQ(caseRuntime.EventRuns(), 0);
    }
}

}  // namespace
