#include "qt/application_start.h"

#include <cstdio>
#include <cstdlib>
#include <vector>

namespace qtfront {

namespace {

// The context's texts are Qt's own static strings, so keeping the pointers is safe.
struct HeldMessage {
    QtMsgType type;
    const char* file;
    int line;
    const char* function;
    const char* category;
    QString text;
};

// Qt's messages while it connects to the display: shown once it did, dropped when it cannot.
std::vector<HeldMessage> held;

void HoldMessage(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (type == QtFatalMsg) {
        std::fputs(
            "marquill: Keine grafische Anzeige erreichbar (DISPLAY oder WAYLAND_DISPLAY); "
            "das Fenster kann nicht geöffnet werden.\n",
            stderr);
        std::_Exit(1);
    }
    held.push_back({type, context.file, context.line, context.function, context.category, text});
}

}  // namespace

std::unique_ptr<QApplication> OpenApplication(int& argc, char** argv) {
    // Docks find the menu entry's icon through it, on Wayland as on X11.
    QGuiApplication::setDesktopFileName(QStringLiteral("marquill"));
    const QtMessageHandler shown = qInstallMessageHandler(HoldMessage);
    auto application = std::make_unique<QApplication>(argc, argv);
    qInstallMessageHandler(shown);
    for (const auto& message : held) {
        const QMessageLogContext context(message.file, message.line, message.function,
                                         message.category);
        shown(message.type, context, message.text);
    }
    held.clear();
    return application;
}

}  // namespace qtfront
