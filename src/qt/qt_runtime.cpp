#include "qt/qt_runtime.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QMessageBox>
#include <QPushButton>
#include <QSocketNotifier>
#include <QTimer>
#include <cstdio>
#include <cstdlib>
#include <optional>

#include "qt/qt_controls.h"

namespace qtfront {

namespace {

QMessageBox::Icon IconOf(int style) {
    switch (style & runtime::kMsgBoxIconMask) {
        case runtime::vbCritical:
            return QMessageBox::Critical;
        case runtime::vbQuestion:
            return QMessageBox::Question;
        case runtime::vbExclamation:
            return QMessageBox::Warning;
        case runtime::vbInformation:
            return QMessageBox::Information;
        default:
            return QMessageBox::NoIcon;
    }
}

QString DisplayText(const std::string& text) {
    return Displayed(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

}  // namespace

QtRuntime::QtRuntime() {
    runtime::InstallRuntime(this);
}

QtRuntime::~QtRuntime() {
    runtime::UninstallRuntime(this);
}

void QtRuntime::AnswerBoxesWith(std::function<int(const runtime::ShownBox&)> answer) {
    answer_ = std::move(answer);
}

int QtRuntime::MsgBox(const runtime::ShownBox& box) {
    ThrowIfEnded();
    return answer_ ? answer_(box) : ShowBox(box);
}

int QtRuntime::ShowBox(const runtime::ShownBox& shown) {
    const int style = shown.style;
    QMessageBox box(IconOf(style), Displayed(shown.title), DisplayText(shown.text),
                    QMessageBox::NoButton, boxParent_.data());
    box.setTextFormat(Qt::PlainText);
    box.setWindowModality(Qt::ApplicationModal);
    // The program names its own buttons: Qt's would be English.
    std::vector<std::pair<QPushButton*, int>> buttons;
    if ((style & runtime::kMsgBoxButtonMask) == runtime::vbYesNo) {
        buttons.emplace_back(box.addButton(QStringLiteral("Ja"), QMessageBox::YesRole),
                             runtime::vbYes);
        buttons.emplace_back(box.addButton(QStringLiteral("Nein"), QMessageBox::NoRole),
                             runtime::vbNo);
    } else {
        buttons.emplace_back(box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole),
                             runtime::vbOK);
    }
    const auto defaultIndex = static_cast<std::size_t>((style & runtime::kMsgBoxDefaultMask) >> 8);
    box.setDefaultButton(buttons[defaultIndex < buttons.size() ? defaultIndex : 0].first);
    box.exec();
    for (const auto& [button, result] : buttons) {
        if (box.clickedButton() == button) return result;
    }
    // Closing the box without a button answers like its escape button would.
    return buttons.back().second;
}

void QtRuntime::DoEvents() {
    ThrowIfEnded();
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    ThrowIfEnded();
}

// Runs the events already queued, then sleeps in the event loop until the child's end signal,
// a new window event or the safety timer wakes it, and runs what woke it. Queued events (the
// status label's repaint) do not count as a wake: nothing they do changes the process list.
void QtRuntime::WaitForEvents(std::chrono::milliseconds bound, platform::EndSignal childEnd) {
    DoEvents();
    QTimer safety;
    safety.setSingleShot(true);
    safety.start(bound);
    std::optional<QSocketNotifier> childEnded;
    if (childEnd != platform::kNoEndSignal) {
        childEnded.emplace(static_cast<qintptr>(childEnd), QSocketNotifier::Read);
    }
    QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
    ThrowIfEnded();
}

void QtRuntime::EndProgram() {
    ended_ = true;
    if (answer_) throw runtime::ProgramEnded{};
    // Never by closing the window: that would run the unload handler and store the folders.
    std::fflush(nullptr);
    std::_Exit(0);
}

void QtRuntime::ThrowIfEnded() const {
    if (ended_) throw runtime::ProgramEnded{};
}

}  // namespace qtfront
