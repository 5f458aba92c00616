#include "core/utils/launch_wait.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
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
        std::vector<PROCESSENTRY32> list(++listings <= 3 ? 1 : 0);
        for (PROCESSENTRY32& entry : list) entry.th32ProcessID = child;
        return list;
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
