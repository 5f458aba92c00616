#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <optional>
#include <vector>

#include "platform/platform.h"

extern char** environ;

namespace {

using platform::PROCESSENTRY32;

std::vector<PROCESSENTRY32> TakeSnapshot() {
    std::vector<PROCESSENTRY32> entries;
    const platform::HANDLE snapshot =
        platform::CreateToolhelp32Snapshot(platform::TH32CS_SNAPALL, 0);
    PROCESSENTRY32 entry;
    entry.dwSize = 296;
    for (bool read = platform::Process32First(snapshot, &entry); read;
         read = platform::Process32Next(snapshot, &entry)) {
        entries.push_back(entry);
    }
    EXPECT_TRUE(platform::CloseHandle(snapshot));
    return entries;
}

std::optional<PROCESSENTRY32> Find(const std::vector<PROCESSENTRY32>& list, pid_t pid) {
    for (const auto& entry : list) {
        if (entry.th32ProcessID == pid) return entry;
    }
    return std::nullopt;
}

// Holds an ended child unreaped, as a zombie.
void WaitForEndWithoutReaping(pid_t pid) {
    siginfo_t info{};
    ASSERT_EQ(waitid(P_PID, static_cast<id_t>(pid), &info, WEXITED | WNOWAIT), 0);
}

class ProcessListTest : public ::testing::Test {
protected:
    void TearDown() override { platform::SetProcessListSourceForTesting({}); }
};

TEST_F(ProcessListTest, ListsThisProgramWithItsParentAndName) {
    const auto self = Find(TakeSnapshot(), getpid());
    ASSERT_TRUE(self.has_value());
    EXPECT_EQ(self->th32ParentProcessID, getppid());
    EXPECT_EQ(self->szExeFile, "platform_tests");
    EXPECT_EQ(self->dwSize, 296u);
}

TEST_F(ProcessListTest, StartedChildIsListedWhileRunningAndReapedOnceEnded) {
    std::int32_t pid = 0;
    ASSERT_EQ(platform::StartCommandLine("/bin/sleep 30", 0, &pid), 0);
    EXPECT_TRUE(Find(TakeSnapshot(), pid).has_value());

    ASSERT_EQ(kill(pid, SIGTERM), 0);
    WaitForEndWithoutReaping(pid);
    EXPECT_FALSE(Find(TakeSnapshot(), pid).has_value());
    // The snapshot reaped it: nothing is left to wait for.
    EXPECT_EQ(waitpid(pid, nullptr, WNOHANG), -1);
    EXPECT_EQ(errno, ECHILD);
}

TEST_F(ProcessListTest, ZombieIsNotListed) {
    pid_t pid = 0;
    char* argv[] = {const_cast<char*>("/bin/true"), nullptr};
    ASSERT_EQ(posix_spawn(&pid, argv[0], nullptr, nullptr, argv, environ), 0);
    WaitForEndWithoutReaping(pid);

    EXPECT_FALSE(Find(TakeSnapshot(), pid).has_value());
    // Not started through the platform, so not reaped by it: the zombie was still there.
    EXPECT_EQ(waitpid(pid, nullptr, WNOHANG), pid);
}

TEST_F(ProcessListTest, InjectedListIsServedUntilRestored) {
    PROCESSENTRY32 a;
    a.th32ProcessID = 4711;
    PROCESSENTRY32 b;
    b.th32ProcessID = 815;
    platform::SetProcessListSourceForTesting([&] { return std::vector<PROCESSENTRY32>{a, b}; });
    const auto injected = TakeSnapshot();
    ASSERT_EQ(injected.size(), 2u);
    EXPECT_EQ(injected[0].th32ProcessID, 4711);
    EXPECT_EQ(injected[1].th32ProcessID, 815);

    platform::SetProcessListSourceForTesting({});
    EXPECT_TRUE(Find(TakeSnapshot(), getpid()).has_value());
}

TEST_F(ProcessListTest, HandlesAreIndependentAndCloseOnce) {
    platform::SetProcessListSourceForTesting([] {
        PROCESSENTRY32 only;
        only.th32ProcessID = 1;
        return std::vector<PROCESSENTRY32>{only};
    });
    const platform::HANDLE first = platform::CreateToolhelp32Snapshot(platform::TH32CS_SNAPALL, 0);
    const platform::HANDLE second = platform::CreateToolhelp32Snapshot(platform::TH32CS_SNAPALL, 0);
    ASSERT_NE(first, second);
    PROCESSENTRY32 entry;
    EXPECT_TRUE(platform::Process32First(first, &entry));
    EXPECT_FALSE(platform::Process32Next(first, &entry));
    EXPECT_FALSE(platform::Process32Next(first, &entry));
    EXPECT_TRUE(platform::Process32First(second, &entry));  // the other walk is its own

    EXPECT_TRUE(platform::CloseHandle(first));
    EXPECT_FALSE(platform::CloseHandle(first));
    EXPECT_FALSE(platform::Process32First(first, &entry));
    EXPECT_FALSE(platform::Process32First(platform::INVALID_HANDLE_VALUE, &entry));
    EXPECT_TRUE(platform::CloseHandle(second));
}

}  // namespace
