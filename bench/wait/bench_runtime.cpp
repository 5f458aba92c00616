#include "bench_runtime.h"

#include <poll.h>

#include <cstdio>
#include <cstdlib>

#ifdef WAIT_BENCH_WITH_QT
#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>
#endif

namespace bench {

namespace {
#ifdef WAIT_BENCH_WITH_QT
QCoreApplication* application = nullptr;
#endif
}  // namespace

BenchRuntime::BenchRuntime([[maybe_unused]] int argc, [[maybe_unused]] char** argv) {
#ifdef WAIT_BENCH_WITH_QT
    static int qtArgc = 1;
    application = new QCoreApplication(qtArgc, argv);
#endif
    runtime::InstallRuntime(this);
}

BenchRuntime::~BenchRuntime() {
    runtime::InstallRuntime(nullptr);
#ifdef WAIT_BENCH_WITH_QT
    delete application;
    application = nullptr;
#endif
}

int BenchRuntime::MsgBox(const std::string& text, int /*style*/, const std::string& title) {
    std::fprintf(stderr, "[%s] %s\n", title.c_str(), text.c_str());
    return runtime::vbOK;
}

void BenchRuntime::DoEvents() {
    ++eventRuns_;
#ifdef WAIT_BENCH_WITH_QT
    QCoreApplication::processEvents();
#endif
}

// The window's wait: a local event loop that a single-shot timer ends after the bound.
void BenchRuntime::WaitForEvents(std::chrono::milliseconds bound) {
    ++eventRuns_;
#ifdef WAIT_BENCH_WITH_QT
    QEventLoop loop;
    QTimer::singleShot(bound, &loop, &QEventLoop::quit);
    loop.exec();
#else
    poll(nullptr, 0, static_cast<int>(bound.count()));
#endif
}

void BenchRuntime::EndProgram() {
    std::exit(1);
}

const char* BenchRuntime::EventWaitName() {
#ifdef WAIT_BENCH_WITH_QT
    return "QEventLoop + 10 ms single-shot QTimer";
#else
    return "poll() for 10 ms";
#endif
}

}  // namespace bench
