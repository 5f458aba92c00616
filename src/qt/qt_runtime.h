#pragma once
// The runtime services on Qt: modal message boxes with German buttons, the event runs of
// the compiler wait, and the immediate end of the program.

#include <QPointer>
#include <QWidget>
#include <functional>
#include <string>
#include <vector>

#include "core/runtime/runtime.h"

namespace qtfront {

struct ShownBox {
    std::string text;
    int style;
    std::string title;
};

class QtRuntime : public runtime::RuntimeServices {
public:
    QtRuntime();
    ~QtRuntime() override;

    void SetBoxParent(QWidget* parent) { boxParent_ = parent; }

    int MsgBox(const std::string& text, int style, const std::string& title) override;
    void DoEvents() override;
    void WaitForEvents(std::chrono::milliseconds bound) override;
    [[noreturn]] void EndProgram() override;
    bool Ended() const override { return ended_; }

    // Test seam: boxes are answered by the script instead of being shown, every box is
    // recorded, and ending the program throws runtime::ProgramEnded instead of exiting.
    void UseTestSeam(std::function<int(const ShownBox&)> answer);
    const std::vector<ShownBox>& Boxes() const { return boxes_; }

private:
    int ShowBox(const std::string& text, int style, const std::string& title);
    void ThrowIfEnded() const;

    QPointer<QWidget> boxParent_;
    std::function<int(const ShownBox&)> scriptedAnswer_;
    std::vector<ShownBox> boxes_;
    bool testSeam_ = false;
    bool ended_ = false;
};

}  // namespace qtfront
