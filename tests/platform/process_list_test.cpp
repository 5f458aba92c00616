#include <gtest/gtest.h>
#include <unistd.h>

#include <vector>

#include "platform/platform.h"

namespace {

using namespace platform;

TEST(ProcessList, ListsThisProgramWithItsParentAndName) {
    const HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPALL, 0);
    PROCESSENTRY32 entry;
    bool read = Process32First(snapshot, &entry);
    while (read && entry.th32ProcessID != getpid()) read = Process32Next(snapshot, &entry);
    EXPECT_TRUE(CloseHandle(snapshot));
    ASSERT_TRUE(read);
    EXPECT_EQ(entry.th32ParentProcessID, getppid());
    EXPECT_EQ(entry.szExeFile, "platform_tests");
}

// A used-up walk stays ended, and a closed or invalid handle is refused, never walked.
TEST(ProcessList, HandlesCloseOnceAndEndedWalksStayEnded) {
    SetProcessListSourceForTesting([] { return std::vector<PROCESSENTRY32>(1); });
    const HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPALL, 0);
    SetProcessListSourceForTesting({});
    PROCESSENTRY32 entry;
    EXPECT_TRUE(Process32First(snapshot, &entry));
    EXPECT_FALSE(Process32Next(snapshot, &entry));
    EXPECT_FALSE(Process32Next(snapshot, &entry));
    EXPECT_TRUE(CloseHandle(snapshot));
    EXPECT_FALSE(CloseHandle(snapshot));
    EXPECT_FALSE(Process32First(snapshot, &entry));
    EXPECT_FALSE(Process32First(INVALID_HANDLE_VALUE, &entry));
}

}  // namespace
