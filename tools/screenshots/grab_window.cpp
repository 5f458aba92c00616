// grab_window WINDOW-ID FILE.png: writes what an X window shows, at its own pixel size.
#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>
#include <cstdio>

int main(int argc, char** argv) {
    QGuiApplication application(argc, argv);
    if (argc != 3) {
        std::fputs("Aufruf: grab_window FENSTER-ID DATEI.png\n", stderr);
        return 2;
    }
    bool valid = false;
    const WId window = QString::fromLocal8Bit(argv[1]).toULongLong(&valid, 0);
    const QPixmap picture =
        valid ? QGuiApplication::primaryScreen()->grabWindow(window) : QPixmap();
    if (picture.isNull() || !picture.save(QString::fromLocal8Bit(argv[2]), "PNG")) {
        std::fprintf(stderr, "grab_window: Fenster %s nicht aufgenommen\n", argv[1]);
        return 1;
    }
    return 0;
}
