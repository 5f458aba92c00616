// A minimal Qt window of the program's size, up to its first paint: the baseline.
#include <QApplication>
#include <QWidget>

#include "first_paint.h"

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QWidget window;
    window.resize(WINDOW_WIDTH, WINDOW_HEIGHT);
    const FirstPaint watcher(&window);
    window.show();
    return QApplication::exec();
}
