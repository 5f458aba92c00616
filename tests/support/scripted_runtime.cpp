#include "support/scripted_runtime.h"

namespace testsupport {

ScriptedRuntime::ScriptedRuntime() {
    runtime::InstallRuntime(this);
}

ScriptedRuntime::~ScriptedRuntime() {
    runtime::InstallRuntime(nullptr);
}

int ScriptedRuntime::MsgBox(const runtime::ShownBox& box) {
    boxes_.push_back(box);
    if (!answers_.empty()) {
        const int answer = answers_.front();
        answers_.pop_front();
        return answer;
    }
    return (box.style & runtime::vbYesNo) == runtime::vbYesNo ? runtime::vbYes : runtime::vbOK;
}

void ScriptedRuntime::DoEvents() {
    if (ended_) throw runtime::ProgramEnded{};  // a handler ended the program mid-wait
    ++eventRuns_;
    if (onEvents) onEvents();
    if (ended_) throw runtime::ProgramEnded{};
}

void ScriptedRuntime::WaitForEvents(std::chrono::milliseconds /*bound*/,
                                    platform::EndSignal /*childEnd*/) {
    DoEvents();
}

void ScriptedRuntime::EndProgram() {
    ended_ = true;
    throw runtime::ProgramEnded{};
}

}  // namespace testsupport
