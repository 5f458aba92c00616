#pragma once
// Runtime services for the benchmark: no boxes, and an event wait that really sleeps.

#include "core/runtime/runtime.h"

namespace bench {

class BenchRuntime : public runtime::RuntimeServices {
public:
    BenchRuntime(int argc, char** argv);
    ~BenchRuntime() override;

    int MsgBox(const std::string& text, int style, const std::string& title) override;
    void DoEvents() override;
    void WaitForEvents(std::chrono::milliseconds bound) override;
    [[noreturn]] void EndProgram() override;

    // What runs the event wait: "QEventLoop" or "poll".
    static const char* EventWaitName();

    // Passes of a wait: how often it let events run.
    long EventRuns() const { return eventRuns_; }

private:
    long eventRuns_ = 0;
};

}  // namespace bench
