#include "core/utils/launch_wait.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
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

    testsupport::ScriptedRuntime runtime;
};

// Every snapshot lists these ids.
std::vector<PROCESSENTRY32> Listing(const std::vector<std::int32_t>& ids) {
    std::vector<PROCESSENTRY32> list(ids.size());
    for (std::size_t i = 0; i < ids.size(); ++i) list[i].th32ProcessID = ids[i];
    return list;
}

// The whole list is walked; id 0 is a real entry, and -1 must not match the "nothing found" mark.
TEST_F(LaunchWaitTest, IsProcessWalksTheWholeList) {
    SetProcessListSource([] { return Listing({1, 2, 0}); });
    EXPECT_EQ(vbreg::isProcess(0), -1);
    EXPECT_EQ(vbreg::isProcess(-1), 0);
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
    std::vector<bool> sleptOnTheEnd;
    for (const auto signal : runtime.EndSignals())
        sleptOnTheEnd.push_back(signal != platform::kNoEndSignal);
    EXPECT_EQ(sleptOnTheEnd, (std::vector{true, false, false}));  // only while the child ran
}

// A program that cannot start is the install run's case; one that started but cannot be
// tested (here: memory ran out) is reported by the process test, and the program ends.
TEST_F(LaunchWaitTest, AFailingProcessTestIsReportedAtItsStatementAndEndsTheProgram) {
    SetProcessListSource([]() -> std::vector<PROCESSENTRY32> { throw std::bad_alloc(); });
    EXPECT_THROW(Utils::call_and_wait("/bin/true", 0), runtime::ProgramEnded);
    EXPECT_EQ(runtime.Texts(), std::vector{testsupport::ErrorReport("Nicht genügend Speicher",
                                                                    "vbreg", "isProcess", 80)});
    EXPECT_EQ(runtime.EventRuns(), 0);
}

}  // namespace
