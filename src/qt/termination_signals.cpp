#include "qt/termination_signals.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <stdexcept>

namespace qtfront {

namespace {

constexpr std::array<int, 2> kHandled{SIGTERM, SIGHUP};

// Read by the handler: only a plain int may be shared with it.
volatile std::sig_atomic_t wakeUpEnd = -1;

extern "C" void WriteSignalToPipe(int signalNumber) {
    const int savedErrno = errno;
    const auto byte = static_cast<unsigned char>(signalNumber);
    // A full pipe already holds a wake-up; the one byte may be dropped then.
    [[maybe_unused]] const auto written = ::write(wakeUpEnd, &byte, 1);
    errno = savedErrno;
}

}  // namespace

TerminationSignals::TerminationSignals(QWidget& window) : window_(window) {
    // Close-on-exec: the compiler must not inherit the pipe.
    if (::pipe2(pipe_.data(), O_CLOEXEC | O_NONBLOCK) != 0)
        throw std::runtime_error("no pipe for the termination signals");
    wakeUpEnd = pipe_[1];
    notifier_ = std::make_unique<QSocketNotifier>(pipe_[0], QSocketNotifier::Read);
    connect(notifier_.get(), &QSocketNotifier::activated, this, &TerminationSignals::CloseWindow);

    struct sigaction action {};
    action.sa_handler = WriteSignalToPipe;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (std::size_t i = 0; i < kHandled.size(); ++i) sigaction(kHandled[i], &action, &former_[i]);
}

TerminationSignals::~TerminationSignals() {
    for (std::size_t i = 0; i < kHandled.size(); ++i) sigaction(kHandled[i], &former_[i], nullptr);
    wakeUpEnd = -1;
    notifier_.reset();
    ::close(pipe_[0]);
    ::close(pipe_[1]);
}

void TerminationSignals::CloseWindow() {
    unsigned char drained[16];
    while (::read(pipe_[0], drained, sizeof drained) > 0) {
    }
    window_.close();
}

}  // namespace qtfront
