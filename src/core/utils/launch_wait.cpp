#include "core/utils/launch_wait.h"

#include <chrono>

#include "core/runtime/runtime_error.h"
#include "core/runtime/runtime_services.h"
#include "core/utils/error_report.h"
#include "core/vbreg/is_process.h"
#include "platform/platform.h"

namespace Utils {

namespace {

// Between two process tests the wait sleeps until the child ends or a window event arrives.
// A child that can no longer signal its end while its id is still listed (another process took
// the id) is tested again after the safety bound; the list decides, as it always does. The
// guard only keeps a lost end signal from stalling the run.
constexpr std::chrono::milliseconds kSafetyBound{250};
constexpr std::chrono::milliseconds kEndSignalGuard{5000};

void WaitForChildEnd(std::int32_t processId) {
    const platform::EndSignal childEnd = platform::ChildEndSignal(processId);
    runtime::WaitForEvents(childEnd == platform::kNoEndSignal ? kSafetyBound : kEndSignalGuard,
                           childEnd);
}

std::int32_t StartProgram(const std::string& commandLine, std::int32_t windowStyle) {
    std::int32_t processId = 0;
    const int err = platform::StartCommandLine(commandLine, windowStyle, &processId);
    if (err != 0) {
        const auto tokens = platform::SplitCommandLine(commandLine);
        throw runtime::ErrorFromErrno(err, tokens.empty() ? std::string{} : tokens.front());
    }
    return processId;
}

}  // namespace

void call_and_wait(const std::string& commandLine, std::int32_t windowStyle) {
    int statement = 0;
    try {
        statement = 20;
        const std::int32_t processId = StartProgram(commandLine, windowStyle);
        for (;;) {
            statement = 30;
            if (vbreg::isProcess(processId) == 0) break;
            statement = 40;
            WaitForChildEnd(processId);
            statement = 50;
        }
        statement = 60;
        runtime::DoEvents();
        statement = 70;
    } catch (const std::exception& failure) {
        Utils::ShowError(failure, "Utils", "call_and_wait", statement);
    }
}

}  // namespace Utils
