// Child processes on Linux: the start without a shell, and what a wait can sleep on until a
// child ends.
#include <gtest/gtest.h>
#include <linux/filter.h>
#include <linux/seccomp.h>
#include <poll.h>
#include <sys/prctl.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <cerrno>
#include <cstddef>
#include <string>

#include "platform/platform.h"
#include "platform/registry_test_util.h"
#include "support/temp_folder.h"

namespace {

using namespace platform;

// Were a shell involved, one of these arguments would create the marker. The child also gets
// no terminal input to block on. (A program path and arguments with blanks: the install run's.)
TEST(StartCommandLine, RunsOnlyTheQuotedProgramWithPlainTextArguments) {
    testsupport::TempFolder folder;
    const std::string program = folder / "prog", out = folder / "out", m = folder / "m";
    testsupport::WriteFile(program, "#!/bin/sh\nprintf '[%s]' \"$@\" > '" + out +
                                        "'\nreadlink /proc/$$/fd/0 >> '" + out + "'\n");
    chmod(program.c_str(), 0755);
    std::string line = "\"" + program + "\" \"two words\"", expected = "[two words]";
    for (const std::string word : {";touch", "$(touch", "`touch", "|", ">", "&&"})
        line += " " + word + " " + m, expected += "[" + word + "][" + m + "]";
    std::int32_t pid = 0;
    ASSERT_EQ(StartCommandLine(line, 0, &pid), 0);
    ASSERT_EQ(registrytest::ExitCode(pid), 0);
    EXPECT_EQ(testsupport::ReadFile(out), expected + "/dev/null\n");
    EXPECT_FALSE(testsupport::FileExists(m));
}

// From here on pidfd_open fails with ENOSYS, as on a kernel older than 5.3.
bool WithoutPidfd() {
    sock_filter filter[] = {
        BPF_STMT(BPF_LD | BPF_W | BPF_ABS, offsetof(seccomp_data, nr)),
        BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, SYS_pidfd_open, 0, 1),
        BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_ERRNO | ENOSYS),
        BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_ALLOW),
    };
    const sock_fprog program{.len = 4, .filter = filter};
    return prctl(PR_SET_NO_NEW_PRIVS, 1, 0, 0, 0) == 0 &&
           prctl(PR_SET_SECCOMP, SECCOMP_MODE_FILTER, &program) == 0;
}

bool Readable(EndSignal signal, int milliseconds) {
    pollfd end{.fd = static_cast<int>(signal), .events = POLLIN, .revents = 0};
    int ready = 0;
    while ((ready = poll(&end, 1, milliseconds)) < 0 && errno == EINTR) {
    }
    return ready == 1;
}

// In a child of the test, so that the seccomp filter and the signal handler stay there. The
// exit code holds one bit per check that failed.
int EndSignalChecks(bool withoutPidfd) {
    if (withoutPidfd && !WithoutPidfd()) return 1;
    std::int32_t child = 0;
    if (StartCommandLine("/bin/sleep 0.2", 0, &child) != 0) return 2;
    const EndSignal signal = ChildEndSignal(child);
    int failed = signal == kNoEndSignal ? 4 : 0;
    if (Readable(signal, 0)) failed |= 8;                      // not before the end
    if (!Readable(signal, 5000)) failed |= 16;                 // but at the end
    CloseHandle(CreateToolhelp32Snapshot(TH32CS_SNAPALL, 0));  // sees it ended: reaps it
    if (ChildEndSignal(child) != kNoEndSignal) failed |= 32;   // its id is free for others now
    return failed;
}

TEST(ChildEndSignal, WakesAtTheChildsEndAndNeverOutlivesTheChild) {
    for (const bool withoutPidfd : {false, true}) {
        EXPECT_EQ(registrytest::ExitCode(
                      registrytest::Spawn([=] { return EndSignalChecks(withoutPidfd); })),
                  0)
            << (withoutPidfd ? "SIGCHLD through a pipe" : "pidfd");
    }
    EXPECT_EQ(ChildEndSignal(getpid()), kNoEndSignal);  // not a child
}

}  // namespace
