// The baseline: a minimal Qt window of the program's size showing one line of text (so that,
// like any window with text, it loads its fonts), up to its first paint.
#include <QApplication>
#include <QLabel>
#include <QWidget>

#include "first_paint.h"
#include "resources/main_layout.h"

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QWidget window;
    window.resize(layout::ToPixels(layout::kMainWindow.clientWidth),
                  layout::ToPixels(layout::kMainWindow.clientHeight));
    const QLabel text(QStringLiteral("Marquill"), &window);
    const FirstPaint watcher(&window);
    window.show();
    return QApplication::exec();
}
