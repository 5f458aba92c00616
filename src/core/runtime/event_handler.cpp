#include "core/runtime/event_handler.h"

#include "core/runtime/runtime_services.h"

namespace runtime {

namespace {

void ReportAndEnd(const RuntimeError& error) {
    try {
        MsgBox(StandardErrorText(error), vbCritical, kProgramTitle);
        EndProgram();
    } catch (const ProgramEnded&) {
    }
}

}  // namespace

std::string StandardErrorText(const RuntimeError& error) {
    return "Laufzeitfehler '" + std::to_string(error.Number()) + "':\r\n\r\n" + error.Description();
}

void RunEventHandler(const std::function<void()>& handler) {
    if (Runtime().Ended()) return;  // an ended program runs no further handler
    try {
        handler();
    } catch (const ProgramEnded&) {
        // Only the test seam gets here; in the program the process is already gone.
    } catch (const std::exception& failure) {
        ReportAndEnd(AsRuntimeError(failure));
    }
}

}  // namespace runtime
