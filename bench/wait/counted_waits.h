#pragma once
// The waits both wait benchmarks compare, on Linux and on Windows alike, and the front end's
// runtime services that count their event runs.

#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "core/runtime/runtime_services.h"
#include "core/utils/launch_wait.h"
#include "core/vbreg/is_process.h"
#include "platform/platform.h"

namespace bench {

// The front end's own runtime services, linked, not copied.
template <class FrontEndRuntime>
class CountingRuntime : public FrontEndRuntime {
public:
    void DoEvents() override {
        ++eventRuns_;
        FrontEndRuntime::DoEvents();
    }
    void WaitForEvents(std::chrono::milliseconds bound, platform::EndSignal childEnd) override {
        ++eventRuns_;
        FrontEndRuntime::WaitForEvents(bound, childEnd);
    }
    long EventRuns() const { return eventRuns_; }

private:
    long eventRuns_ = 0;
};

// What one wait cost and how soon it returned after the child's end.
struct WaitFigures {
    double cpuSeconds;
    double noticeMilliseconds;
    long passes;  // event runs
};

inline void ShippedWait(const std::string& commandLine) {
    Utils::call_and_wait(commandLine, 0);
}

// The wait as the old program did it: test, run events, test again, never pausing.
inline void BusyLoopWait(const std::string& commandLine) {
    std::int32_t processId = 0;
    if (platform::StartCommandLine(commandLine, 0, &processId) != 0) std::exit(1);
    while (vbreg::isProcess(processId) != 0) runtime::DoEvents();
    runtime::DoEvents();
}

}  // namespace bench
