#include "core/runtime/runtime_services.h"

#include <exception>
#include <stdexcept>

namespace runtime {

namespace {
RuntimeServices* installed = nullptr;
}

void InstallRuntime(RuntimeServices* services) {
    installed = services;
}

void UninstallRuntime(const RuntimeServices* services) {
    if (installed == services) installed = nullptr;
}

RuntimeServices& Runtime() {
    if (installed == nullptr) throw std::logic_error("no runtime services installed");
    return *installed;
}

int MsgBox(const std::string& text, int style, const std::string& title) {
    return Runtime().MsgBox({text, style, title});
}

void DoEvents() {
    Runtime().DoEvents();
}

void WaitForEvents(std::chrono::milliseconds bound, platform::EndSignal childEnd) {
    Runtime().WaitForEvents(bound, childEnd);
}

void EndProgram() {
    Runtime().EndProgram();
    std::terminate();  // a front end whose end returns must not let the program go on
}

}  // namespace runtime
