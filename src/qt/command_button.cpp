#include "qt/command_button.h"

#include <QKeyEvent>

namespace qtfront {

CommandButton::CommandButton(const QString& caption, QWidget* parent)
    : QPushButton(caption, parent) {
    setAutoDefault(false);
    setDefault(false);
}

void CommandButton::keyPressEvent(QKeyEvent* event) {
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (!enter || event->modifiers() & ~Qt::KeypadModifier) {
        QPushButton::keyPressEvent(event);
        return;
    }
    // A held key presses once: the click may run a whole install.
    if (!event->isAutoRepeat()) click();
    event->accept();
}

}  // namespace qtfront
