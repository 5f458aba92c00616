#include "support/scripted_runtime.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <poll.h>
#endif

namespace testsupport {

ScriptedRuntime::ScriptedRuntime() {
    runtime::InstallRuntime(this);
}

ScriptedRuntime::~ScriptedRuntime() {
    runtime::UninstallRuntime(this);
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

std::vector<std::string> ScriptedRuntime::Texts() const {
    std::vector<std::string> texts;
    for (const auto& box : boxes_) texts.push_back(box.text);
    return texts;
}

void ScriptedRuntime::DoEvents() {
    if (ended_) throw runtime::ProgramEnded{};  // a handler ended the program mid-wait
    ++eventRuns_;
    if (onEvents) onEvents();
    if (ended_) throw runtime::ProgramEnded{};
}

// Events already queued run first, then the wait sleeps on the child's end as the window's does.
void ScriptedRuntime::WaitForEvents(std::chrono::milliseconds bound, platform::EndSignal childEnd) {
    DoEvents();
    endSignals_.push_back(childEnd);
#ifdef _WIN32
    if (childEnd != platform::kNoEndSignal) {
        WaitForSingleObject(reinterpret_cast<HANDLE>(childEnd), static_cast<DWORD>(bound.count()));
    } else {
        Sleep(static_cast<DWORD>(bound.count()));
    }
#else
    pollfd ended{.fd = static_cast<int>(childEnd), .events = POLLIN, .revents = 0};
    ::poll(&ended, 1, static_cast<int>(bound.count()));  // a negative fd just sleeps
#endif
}

void ScriptedRuntime::EndProgram() {
    ended_ = true;
    throw runtime::ProgramEnded{};
}

std::string ErrorReport(const std::string& description, const std::string& module,
                        const std::string& procedure, int statement) {
    return description + "\r\nModul   : " + module + "\r\nFunktion: " + procedure +
           "\r\nZeile   : " + std::to_string(statement) + "\r\n";
}

std::string StandardMessage(int number, const std::string& description) {
    return "Laufzeitfehler '" + std::to_string(number) + "':\r\n\r\n" + description;
}

}  // namespace testsupport
