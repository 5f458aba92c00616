#include <iostream>

#include "platform/platform.h"
#include "qt/application_start.h"
#include "qt/command_line_options.h"
#include "qt/main_window.h"
#include "qt/qt_runtime.h"
#include "qt/termination_signals.h"

int main(int argc, char** argv) {
    const auto commandLine = qtfront::ReadCommandLine(argc, argv);
    if (commandLine.request != qtfront::Request::OpenWindow)
        return qtfront::Answer(commandLine, stdout, stderr);

    int qtArgc = argc > 0 ? 1 : 0;  // Qt takes nothing from the command line either
    const auto application = qtfront::OpenApplication(qtArgc, argv);
    if (const std::string problem = platform::SettingsFileProblem(); !problem.empty())
        std::cerr << problem << '\n';
    qtfront::QtRuntime runtime;
    qtfront::MainWindow window;
    runtime.SetBoxParent(&window);
    const qtfront::TerminationSignals closedBySystem(window);
    window.Load();
    window.show();
    return QApplication::exec();
}
