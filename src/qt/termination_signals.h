#pragma once
// SIGTERM and SIGHUP (a logout without a session manager, `kill`, a service stop) close the
// window as its close box does, so the folders are stored. The handler itself only writes the
// signal's number into a pipe; the event loop reads it and closes the window.

#include <QObject>
#include <QSocketNotifier>
#include <QWidget>
#include <array>
#include <csignal>
#include <memory>

namespace qtfront {

class TerminationSignals : public QObject {
    Q_OBJECT

public:
    // Handles the signals while it lives; the former handlers come back after.
    explicit TerminationSignals(QWidget& window);
    ~TerminationSignals() override;
    TerminationSignals(const TerminationSignals&) = delete;
    TerminationSignals& operator=(const TerminationSignals&) = delete;

private:
    void CloseWindow();

    QWidget& window_;
    std::array<int, 2> pipe_{-1, -1};
    std::unique_ptr<QSocketNotifier> notifier_;
    std::array<struct sigaction, 2> former_{};
};

}  // namespace qtfront
