#pragma once

#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "core/runtime/runtime_services.h"

namespace testsupport {

// Runtime services for core tests: message boxes answer from a script and are recorded, the
// wait sleeps on the child's end like the window's, and ending the program throws
// runtime::ProgramEnded. Installed while it lives.
class ScriptedRuntime : public runtime::RuntimeServices {
public:
    ScriptedRuntime() { runtime::InstallRuntime(this); }
    ~ScriptedRuntime() override { runtime::UninstallRuntime(this); }

    // Answers for the coming boxes, in order; without one a box takes its default button.
    void Answer(int result) { answers_.push_back(result); }
    // Runs whenever the core lets window events run.
    std::function<void()> onEvents;

    const std::vector<runtime::ShownBox>& Boxes() const { return boxes_; }
    // The texts of the boxes shown, in order.
    std::vector<std::string> Texts() const {
        std::vector<std::string> texts;
        for (const auto& box : boxes_) texts.push_back(box.text);
        return texts;
    }
    bool Ended() const override { return ended_; }
    int EventRuns() const { return eventRuns_; }
    // The child's end signal of each wait, in order.
    const std::vector<platform::EndSignal>& EndSignals() const { return endSignals_; }

    int MsgBox(const runtime::ShownBox& box) override {
        boxes_.push_back(box);
        const bool yesNo = (box.style & runtime::vbYesNo) == runtime::vbYesNo;
        if (answers_.empty()) return yesNo ? runtime::vbYes : runtime::vbOK;
        const int answer = answers_.front();
        answers_.pop_front();
        return answer;
    }
    void DoEvents() override {
        if (ended_) throw runtime::ProgramEnded{};  // a handler ended the program mid-wait
        ++eventRuns_;
        if (onEvents) onEvents();
        if (ended_) throw runtime::ProgramEnded{};
    }
    void WaitForEvents(std::chrono::milliseconds bound, platform::EndSignal childEnd) override;
    [[noreturn]] void EndProgram() override {
        ended_ = true;
        throw runtime::ProgramEnded{};
    }

private:
    std::deque<int> answers_;
    std::vector<runtime::ShownBox> boxes_;
    bool ended_ = false;
    int eventRuns_ = 0;
    std::vector<platform::EndSignal> endSignals_;
};

// The guarded procedures' error report, and the standard message of an unhandled runtime error.
inline std::string ErrorReport(const std::string& description, const std::string& module,
                               const std::string& procedure, int statement) {
    return description + "\r\nModul   : " + module + "\r\nFunktion: " + procedure +
           "\r\nZeile   : " + std::to_string(statement) + "\r\n";
}
inline std::string StandardMessage(int number, const std::string& description) {
    return "Laufzeitfehler '" + std::to_string(number) + "':\r\n\r\n" + description;
}

}  // namespace testsupport
