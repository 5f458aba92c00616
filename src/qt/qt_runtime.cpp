#include "qt/qt_runtime.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <cstdio>
#include <cstdlib>

#include "qt/qt_controls.h"

namespace qtfront {

namespace {

constexpr int kButtonMask = 0x0F;
constexpr int kIconMask = 0x70;
constexpr int kDefaultMask = 0x300;

QMessageBox::Icon IconOf(int style) {
    switch (style & kIconMask) {
        case runtime::vbCritical:
            return QMessageBox::Critical;
        case runtime::vbQuestion:
            return QMessageBox::Question;
        case 48:
            return QMessageBox::Warning;
        case 64:
            return QMessageBox::Information;
        default:
            return QMessageBox::NoIcon;
    }
}

QString DisplayText(const std::string& text) {
    return FromAnsi(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

}  // namespace

QtRuntime::QtRuntime() {
    runtime::InstallRuntime(this);
}

QtRuntime::~QtRuntime() {
    runtime::InstallRuntime(nullptr);
}

void QtRuntime::UseTestSeam(std::function<int(const ShownBox&)> answer) {
    testSeam_ = true;
    scriptedAnswer_ = std::move(answer);
}

int QtRuntime::MsgBox(const std::string& text, int style, const std::string& title) {
    ThrowIfEnded();
    boxes_.push_back({text, style, title});
    if (testSeam_) return scriptedAnswer_ ? scriptedAnswer_(boxes_.back()) : runtime::vbOK;
    return ShowBox(text, style, title);
}

int QtRuntime::ShowBox(const std::string& text, int style, const std::string& title) {
    QMessageBox box(IconOf(style), FromAnsi(title), DisplayText(text), QMessageBox::NoButton,
                    boxParent_.data());
    box.setTextFormat(Qt::PlainText);
    box.setWindowModality(Qt::ApplicationModal);
    // The program names its own buttons: Qt's would be English.
    std::vector<std::pair<QPushButton*, int>> buttons;
    if ((style & kButtonMask) == runtime::vbYesNo) {
        buttons.emplace_back(box.addButton(QStringLiteral("Ja"), QMessageBox::YesRole),
                             runtime::vbYes);
        buttons.emplace_back(box.addButton(QStringLiteral("Nein"), QMessageBox::NoRole),
                             runtime::vbNo);
    } else {
        buttons.emplace_back(box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole),
                             runtime::vbOK);
    }
    const auto defaultIndex = static_cast<std::size_t>((style & kDefaultMask) >> 8);
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

void QtRuntime::WaitForEvents(std::chrono::milliseconds bound) {
    ThrowIfEnded();
    QEventLoop loop;
    QTimer::singleShot(bound, &loop, &QEventLoop::quit);
    loop.exec();
    ThrowIfEnded();
}

void QtRuntime::EndProgram() {
    ended_ = true;
    if (testSeam_) throw runtime::ProgramEnded{};
    // Never by closing the window: that would run the unload handler and store the folders.
    std::fflush(nullptr);
    std::_Exit(0);
}

void QtRuntime::ThrowIfEnded() const {
    if (ended_) throw runtime::ProgramEnded{};
}

}  // namespace qtfront
