#include <QApplication>

#include "qt/main_window.h"
#include "qt/qt_runtime.h"
#include "qt/termination_signals.h"

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    qtfront::QtRuntime runtime;
    qtfront::MainWindow window;
    runtime.SetBoxParent(&window);
    const qtfront::TerminationSignals closedBySystem(window);
    window.Load();
    window.show();
    return QApplication::exec();
}
