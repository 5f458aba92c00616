#include "core/utils/launch_wait.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <functional>
#include <new>
#include <sstream>

#include "core/runtime/runtime_error.h"
#include "core/vbreg/is_process.h"
#include "platform/platform.h"
#include "platform/process_list_testing.h"
#include "support/scripted_runtime.h"
#include "support/temp_folder.h"

namespace {

using platform::PROCESSENTRY32;
using platform::test_seams::SetProcessListSource;

class LaunchWaitTest : public ::testing::Test {
protected:
    void TearDown() override { SetProcessListSource({}); }

    testsupport::TempFolder folder;
    testsupport::ScriptedRuntime runtime;
};

// Every snapshot lists these ids.
std::vector<PROCESSENTRY32> Listing(const std::vector<std::int32_t>& ids) {
    std::vector<PROCESSENTRY32> list(ids.size());
    for (std::size_t i = 0; i < ids.size(); ++i) list[i].th32ProcessID = ids[i];
    return list;
}

// Id 0 is a real entry, and -1 must not match the "nothing found" mark.
TEST_F(LaunchWaitTest, IsProcessWalksTheWholeList) {
    // clang-format off
    struct Row { const char* name; std::vector<std::int32_t> listed; std::int32_t id; int answer; };
    const Row rows[] = {
        {.name = "last_entry",  .listed = {1, 2, 7}, .id = 7,  .answer = -1},
        {.name = "first_entry", .listed = {7, 1},    .id = 7,  .answer = -1},
        {.name = "not_listed",  .listed = {1, 2, 3}, .id = 7,  .answer = 0},
        {.name = "id_zero",     .listed = {0},       .id = 0,  .answer = -1},
        {.name = "minus_one",   .listed = {1, 2},    .id = -1, .answer = 0},
    };
    // clang-format on
    for (const Row& row : rows) {
        SetProcessListSource([&] { return Listing(row.listed); });
        EXPECT_EQ(vbreg::isProcess(row.id), row.answer) << row.name;
    }
}

// An ended child answers 0 even while still unreaped, and is reaped then; a child of another
// part of the program is left for its owner to reap.
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
}

TEST_F(LaunchWaitTest, ReturnsOnlyAfterTheProgramEndedRunningEventsMeanwhile) {
    const std::string done = folder / "done";
    Utils::call_and_wait("/bin/sh -c \"sleep 0.2; touch '" + done + "'\"", 0);
    EXPECT_TRUE(testsupport::FileExists(done));
    EXPECT_GE(runtime.EventRuns(), 2);  // during the wait and once after it
    EXPECT_TRUE(runtime.Boxes().empty());
}

// The newest child of this process, unreaped ones included.
std::int32_t NewestChild() {
    std::istringstream children(
        testsupport::ReadFile("/proc/self/task/" + std::to_string(getpid()) + "/children"));
    std::int32_t newest = 0;
    for (std::int32_t pid = 0; children >> pid;) newest = std::max(newest, pid);
    return newest;
}

// The child ends and is reaped, but its id stays listed for two more tests: another process
// has it now. With no end left to sleep on, the wait goes on at its safety bound.
TEST_F(LaunchWaitTest, AnIdTakenByAnotherProcessKeepsTheWaitGoing) {
    std::int32_t child = 0;
    int listings = 0;
    SetProcessListSource([&] {
        if (child == 0) child = NewestChild();
        return Listing(++listings <= 3 ? std::vector{child} : std::vector<std::int32_t>{});
    });
    Utils::call_and_wait("/bin/sleep 0.1", 0);
    EXPECT_EQ(listings, 4);
    const auto& signals = runtime.EndSignals();
    ASSERT_EQ(signals.size(), 3u);
    EXPECT_NE(signals[0], platform::kNoEndSignal);  // while the child ran
    EXPECT_EQ(signals[1], platform::kNoEndSignal);
    EXPECT_EQ(signals[2], platform::kNoEndSignal);
}

// A program that cannot start is the install run's case; one that started but cannot be
// tested is reported by the process test, memory running out as well.
TEST_F(LaunchWaitTest, AFailingProcessTestIsReportedAtItsStatementAndEndsTheProgram) {
    // clang-format off
    struct Row { const char* name; std::function<void()> listing; const char* description; };
    const Row rows[] = {
        {.name = "list_refused", .listing = [] { throw runtime::RuntimeError(70); },
         .description = "Zugriff verweigert"},
        {.name = "memory_ran_out", .listing = [] { throw std::bad_alloc(); },
         .description = "Nicht genügend Speicher"},
    };
    // clang-format on
    for (const Row& row : rows) {
        SetProcessListSource([&] { return row.listing(), Listing({}); });
        testsupport::ScriptedRuntime rowRuntime;
        EXPECT_THROW(Utils::call_and_wait("/bin/true", 0), runtime::ProgramEnded) << row.name;
        EXPECT_EQ(rowRuntime.Texts(),
                  std::vector{testsupport::ErrorReport(row.description, "vbreg", "isProcess", 80)})
            << row.name;
        EXPECT_EQ(rowRuntime.EventRuns(), 0) << row.name;
    }
}

}  // namespace
