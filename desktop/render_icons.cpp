// render_icons ICON.xpm FOLDER: the program's 32 x 32 icon as the hicolor theme wants it, so
// menus and docks show it sharp at every size: the PNG itself, whole-number enlargements of
// it, and a scalable SVG of the same pixels. The XPM stays the one picture to edit.
#include <QColor>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QTextStream>
#include <cstdio>

namespace {

bool WritePng(const QImage& icon, int size, const QString& folder) {
    const QString themed = QStringLiteral("%1/hicolor/%2x%2/apps").arg(folder).arg(size);
    const QImage scaled = icon.scaled(size, size, Qt::KeepAspectRatio, Qt::FastTransformation);
    return QDir().mkpath(themed) && scaled.save(themed + "/marquill.png", "PNG");
}

// One rectangle per run of equal pixels in a row; crisp edges keep the pixels square.
bool WriteSvg(const QImage& icon, const QString& folder) {
    const QString themed = folder + "/hicolor/scalable/apps";
    QFile file(themed + "/marquill.svg");
    if (!QDir().mkpath(themed) || !file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    QTextStream svg(&file);
    svg << "<svg xmlns=\"http://www.w3.org/2000/svg\" viewBox=\"0 0 " << icon.width() << ' '
        << icon.height() << "\" shape-rendering=\"crispEdges\">\n";
    for (int y = 0; y < icon.height(); ++y) {
        for (int x = 0; x < icon.width();) {
            const QRgb colour = icon.pixel(x, y);
            int end = x + 1;
            while (end < icon.width() && icon.pixel(end, y) == colour) ++end;
            if (qAlpha(colour) != 0) {
                svg << "<rect x=\"" << x << "\" y=\"" << y << "\" width=\"" << end - x
                    << "\" height=\"1\" fill=\"" << QColor(colour).name() << "\"/>\n";
            }
            x = end;
        }
    }
    svg << "</svg>\n";
    return svg.status() == QTextStream::Ok && file.flush();
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fputs("Aufruf: render_icons ICON.xpm ORDNER\n", stderr);
        return 2;
    }
    const QImage icon =
        QImage(QString::fromLocal8Bit(argv[1])).convertToFormat(QImage::Format_ARGB32);
    const QString folder = QString::fromLocal8Bit(argv[2]);
    bool written = !icon.isNull() && WriteSvg(icon, folder);
    for (const int factor : {1, 2, 4, 8})
        written = written && WritePng(icon, icon.width() * factor, folder);
    if (!written) {
        std::fprintf(stderr, "render_icons: %s nicht umgesetzt\n", argv[1]);
        return 1;
    }
    return 0;
}
