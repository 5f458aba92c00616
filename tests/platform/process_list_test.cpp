#include <gtest/gtest.h>
#include <unistd.h>

#include "platform/platform.h"

namespace {

using namespace platform;

// A used-up walk stays ended, and a closed or invalid handle is refused, never walked.
TEST(ProcessList, ListsThisProgramAndRefusesEndedWalksAndClosedHandles) {
    const HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPALL, 0);
    PROCESSENTRY32 entry, own;
    for (bool read = Process32First(snapshot, &entry); read; read = Process32Next(snapshot, &entry))
        if (entry.th32ProcessID == getpid()) own = entry;
    EXPECT_EQ(own.th32ParentProcessID, getppid());
    EXPECT_EQ(own.szExeFile, "platform_tests");
    EXPECT_FALSE(Process32Next(snapshot, &entry));
    EXPECT_TRUE(CloseHandle(snapshot));
    EXPECT_FALSE(CloseHandle(snapshot));
    EXPECT_FALSE(Process32First(snapshot, &entry));
    EXPECT_FALSE(Process32First(INVALID_HANDLE_VALUE, &entry));
}

}  // namespace
