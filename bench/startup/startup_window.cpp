// The program's window as main() starts it, up to its first paint; main()'s answers to the
// command line, its check of the display and its signal handlers are left out.
#include <QApplication>

#include "first_paint.h"
#include "qt/main_window.h"
#include "qt/qt_runtime.h"

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    qtfront::QtRuntime runtime;
    qtfront::MainWindow window;
    runtime.SetBoxParent(&window);
    const FirstPaint watcher(&window);
    window.Load();
    window.show();
    return QApplication::exec();
}
