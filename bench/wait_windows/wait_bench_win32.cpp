// How much processor time the wait for the compiler costs on Windows, and how soon it notices
// the end, three ways, alternating in the same run:
// - program: Utils::call_and_wait with the Windows runtime, which sleeps in
//   MsgWaitForMultipleObjects on the child's handle and the message queue between two process
//   tests;
// - floor: WaitForSingleObject on the child's handle, nothing else: no process list, no events;
// - busy: the old busy loop, process test and event run with no pause.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "core/vbreg/system_info.h"
#include "platform/platform.h"
#include "platform/win32/windows_api.h"
#include "wait/counted_waits.h"
#include "win32/win32_runtime.h"

namespace {

using bench::WaitFigures;
using CountingRuntime = bench::CountingRuntime<win32front::Win32Runtime>;

CountingRuntime* services = nullptr;

unsigned long long Ticks(const FILETIME& time) {
    return (static_cast<unsigned long long>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
}

double CpuSeconds() {
    FILETIME created, exited, kernel, user;
    ::GetProcessTimes(::GetCurrentProcess(), &created, &exited, &kernel, &user);
    return (Ticks(kernel) + Ticks(user)) / 1e7;
}

unsigned long long NowTicks() {
    FILETIME now{};
    ::GetSystemTimePreciseAsFileTime(&now);
    return Ticks(now);
}

void HandleFloorWait(const std::string& commandLine) {
    std::int32_t processId = 0;
    if (platform::StartCommandLine(commandLine, 0, &processId) != 0) std::exit(1);
    ::WaitForSingleObject(reinterpret_cast<::HANDLE>(platform::ChildEndSignal(processId)),
                          INFINITE);
}

WaitFigures Measure(void (*wait)(const std::string&), const std::string& child,
                    int childMilliseconds) {
    const std::string endFile = "wait_bench_end." + std::to_string(::GetCurrentProcessId());
    std::remove(endFile.c_str());
    const std::string commandLine =
        "\"" + child + "\" " + std::to_string(childMilliseconds) + " \"" + endFile + "\"";
    const long runsBefore = services->EventRuns();
    const double cpuBefore = CpuSeconds();
    wait(commandLine);
    const unsigned long long returned = NowTicks();
    const double cpuAfter = CpuSeconds();
    unsigned long long childEnded = 0;
    std::ifstream(endFile) >> childEnded;
    std::remove(endFile.c_str());
    if (childEnded == 0) {
        std::fprintf(stderr, "the child left no end time\n");
        std::exit(1);
    }
    return {cpuAfter - cpuBefore, (static_cast<double>(returned) - childEnded) / 1e4,
            services->EventRuns() - runsBefore};
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

void Report(const char* name, const std::vector<WaitFigures>& runs, int childMilliseconds) {
    std::vector<double> cpu, notice;
    for (const WaitFigures& run : runs) {
        cpu.push_back(run.cpuSeconds);
        notice.push_back(run.noticeMilliseconds);
    }
    // Wine counts processor time in steps of 10 ms: the mean over the runs says more.
    double mean = 0;
    for (const double seconds : cpu) mean += seconds / static_cast<double>(cpu.size());
    std::printf(
        "%-8s CPU mean %.4f s = %.2f %% of one core (median %.3f, min %.3f, max %.3f)   end "
        "noticed after median %.1f ms (min %.1f, max %.1f)   %ld passes\n",
        name, mean, 100.0 * mean * 1000 / childMilliseconds, Median(cpu),
        *std::min_element(cpu.begin(), cpu.end()), *std::max_element(cpu.begin(), cpu.end()),
        Median(notice), *std::min_element(notice.begin(), notice.end()),
        *std::max_element(notice.begin(), notice.end()), runs[runs.size() / 2].passes);
}

std::string ChildBesideThisProgram() {
    char self[MAX_PATH] = {};
    ::GetModuleFileNameA(nullptr, self, MAX_PATH);
    std::string path = self;
    return path.substr(0, path.find_last_of('\\') + 1) + "wait_bench_child.exe";
}

struct Way {
    const char* name;
    void (*wait)(const std::string&);
    std::vector<WaitFigures> runs;
};

}  // namespace

// wait_bench_win32 [WAY [RUNS [CHILD_MILLISECONDS]]]   WAY: all, program, floor or busy
int main(int argc, char** argv) {
    const std::string chosen = argc > 1 ? argv[1] : "all";
    const int runs = argc > 2 ? std::atoi(argv[2]) : 3;
    const int childMilliseconds = argc > 3 ? std::atoi(argv[3]) : 2000;
    std::vector<Way> ways;
    for (const Way& way :
         {Way{"program", bench::ShippedWait, {}}, Way{"floor", HandleFloorWait, {}},
          Way{"busy", bench::BusyLoopWait, {}}}) {
        if (chosen == "all" || chosen == way.name) ways.push_back(way);
    }
    if (ways.empty() || runs < 1 || childMilliseconds < 1) {
        std::fprintf(stderr,
                     "usage: wait_bench_win32 [all|program|floor|busy [RUNS [CHILD_MS]]]\n");
        return 2;
    }
    CountingRuntime runtimeServices;
    services = &runtimeServices;
    const std::string child = ChildBesideThisProgram();
    std::printf("child sleeps %d ms, %d runs per wait, short version %s\n", childMilliseconds, runs,
                vbreg::GetOSVersion().c_str());
    for (int run = 0; run < runs; ++run) {
        for (Way& way : ways) way.runs.push_back(Measure(way.wait, child, childMilliseconds));
    }
    for (const Way& way : ways) Report(way.name, way.runs, childMilliseconds);
    return 0;
}
