// How much processor time the wait for the compiler costs, and how soon it notices the end:
// the shipped wait (call_and_wait on the window's own runtime) against a pidfd and poll() floor
// and the old busy loop, measured alternately in the same run.
#include <poll.h>
#include <spawn.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QApplication>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "core/vbreg/system_info.h"
#include "platform/platform.h"
#include "qt/qt_runtime.h"
#include "support/figures.h"
#include "wait/counted_waits.h"

namespace {

using bench::WaitFigures;
using CountingRuntime = bench::CountingRuntime<qtfront::QtRuntime>;

CountingRuntime* services = nullptr;

extern "C" char** environ;

// The least a wait can do: sleep on the child's pidfd, then reap it. No window events run.
void PidfdFloor(const std::string& commandLine) {
    std::vector<std::string> tokens = platform::SplitCommandLine(commandLine);
    std::vector<char*> argv;
    for (std::string& token : tokens) argv.push_back(token.data());
    argv.push_back(nullptr);
    pid_t pid = 0;
    if (posix_spawn(&pid, argv[0], nullptr, nullptr, argv.data(), environ) != 0) std::exit(1);
    const int pidfd = static_cast<int>(syscall(SYS_pidfd_open, pid, 0));
    pollfd ended{.fd = pidfd, .events = POLLIN, .revents = 0};
    while (poll(&ended, 1, -1) < 0) {
    }
    close(pidfd);
    waitpid(pid, nullptr, 0);
}

WaitFigures Measure(void (*wait)(const std::string&), int childMilliseconds) {
    const std::string endFile = "/tmp/wait_bench_end." + std::to_string(getpid());
    std::remove(endFile.c_str());
    const std::string commandLine =
        "\"" WAIT_BENCH_CHILD "\" " + std::to_string(childMilliseconds) + " \"" + endFile + "\"";

    const long runsBefore = services->EventRuns();
    const double cpuBefore = bench::CpuSeconds();
    wait(commandLine);
    const double returned = bench::MonotonicSeconds();
    const double cpuAfter = bench::CpuSeconds();

    long long childEndedNanoseconds = 0;
    std::ifstream(endFile) >> childEndedNanoseconds;
    std::remove(endFile.c_str());
    if (childEndedNanoseconds == 0) {
        std::fprintf(stderr, "the child left no end time\n");
        std::exit(1);
    }
    return {cpuAfter - cpuBefore, returned * 1e3 - childEndedNanoseconds / 1e6,
            services->EventRuns() - runsBefore};
}

bench::Spread CpuOf(const std::vector<WaitFigures>& runs) {
    std::vector<double> cpu;
    for (const WaitFigures& run : runs) cpu.push_back(run.cpuSeconds);
    return bench::SpreadOf(cpu);
}

void Report(const char* name, const std::vector<WaitFigures>& runs) {
    const bench::Spread cpu = CpuOf(runs);
    std::vector<double> noticed;
    for (const WaitFigures& run : runs) noticed.push_back(run.noticeMilliseconds);
    const bench::Spread notice = bench::SpreadOf(noticed);
    std::printf(
        "%-13s CPU median %.4f s (min %.4f, max %.4f)   end noticed after median %.2f ms "
        "(min %.2f, max %.2f)   %ld event runs\n",
        name, cpu.median, cpu.min, cpu.max, notice.median, notice.min, notice.max,
        runs[runs.size() / 2].passes);
}

}  // namespace

int main(int argc, char** argv) {
    const int runs = argc > 1 ? std::atoi(argv[1]) : 3;
    const int childMilliseconds = argc > 2 ? std::atoi(argv[2]) : 2000;
    if (runs < 1 || childMilliseconds < 0) {
        std::fprintf(stderr, "usage: wait_bench [RUNS [CHILD_MILLISECONDS]]\n");
        return 2;
    }
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication application(argc, argv);
    CountingRuntime runtimeServices;
    services = &runtimeServices;
    std::printf("child sleeps %d ms, %d runs per wait, short version %s\n", childMilliseconds, runs,
                vbreg::GetOSVersion().c_str());

    // Alternating, so that a change in the machine's load hits all alike.
    std::vector<WaitFigures> shipped, floor, busy;
    for (int run = 0; run < runs; ++run) {
        shipped.push_back(Measure(bench::ShippedWait, childMilliseconds));
        floor.push_back(Measure(PidfdFloor, childMilliseconds));
        busy.push_back(Measure(bench::BusyLoopWait, childMilliseconds));
    }
    std::printf("load average %s\n", bench::LoadAverage().c_str());
    Report("shipped wait", shipped);
    Report("pidfd floor", floor);
    Report("busy loop", busy);
    std::printf("shipped / floor CPU: %.2fx, shipped / busy loop CPU: %.2f %%\n",
                CpuOf(shipped).median / CpuOf(floor).median,
                100.0 * CpuOf(shipped).median / CpuOf(busy).median);
    return 0;
}
