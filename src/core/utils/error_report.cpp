#include "core/utils/error_report.h"

#include "core/runtime/runtime_error.h"
#include "core/runtime/runtime_services.h"

namespace Utils {

void ShowError(const std::string& description, const std::string& module,
               const std::string& procedure, int statement) {
    std::string message = description + "\r\n";
    message += "Modul   : " + module + "\r\n";
    message += "Funktion: " + procedure + "\r\n";
    if (statement > 0) message += "Zeile   : " + std::to_string(statement) + "\r\n";
    runtime::MsgBox(message, runtime::vbCritical, runtime::kProgramTitle);
    runtime::EndProgram();
}

void ShowError(const std::exception& failure, const std::string& module,
               const std::string& procedure, int statement) {
    ShowError(runtime::AsRuntimeError(failure).Description(), module, procedure, statement);
}

}  // namespace Utils
