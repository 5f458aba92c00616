#pragma once
// The runtime services on Qt: modal message boxes with German buttons, the event runs of
// the compiler wait, and the immediate end of the program.

#include <QPointer>
#include <QWidget>
#include <functional>
#include <string>

#include "core/runtime/runtime_services.h"

namespace qtfront {

class QtRuntime : public runtime::RuntimeServices {
public:
    QtRuntime();
    ~QtRuntime() override;

    void SetBoxParent(QWidget* parent) { boxParent_ = parent; }

    int MsgBox(const runtime::ShownBox& box) override;
    void DoEvents() override;
    void WaitForEvents(std::chrono::milliseconds bound, platform::EndSignal childEnd) override;
    [[noreturn]] void EndProgram() override;
    bool Ended() const override { return ended_; }

    // Test seam: every box goes to `answer` instead of the screen, and the end of the program
    // throws runtime::ProgramEnded instead of ending the process.
    void AnswerBoxesWith(std::function<int(const runtime::ShownBox&)> answer);

private:
    int ShowBox(const runtime::ShownBox& box);
    void ThrowIfEnded() const;

    QPointer<QWidget> boxParent_;
    std::function<int(const runtime::ShownBox&)> answer_;
    bool ended_ = false;
};

}  // namespace qtfront
