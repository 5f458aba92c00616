#include <QApplication>
#include <iostream>

#include "platform/platform.h"
#include "qt/main_window.h"
#include "qt/qt_runtime.h"

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    if (const std::string problem = platform::SettingsFileProblem(); !problem.empty())
        std::cerr << problem << '\n';
    qtfront::QtRuntime runtime;
    qtfront::MainWindow window;
    runtime.SetBoxParent(&window);
    window.Load();
    window.show();
    return QApplication::exec();
}
