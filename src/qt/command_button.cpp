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
    const bool plain = (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
    if (!enter || !plain) {
        QPushButton::keyPressEvent(event);
        return;
    }
    // A held key presses once: the click may run a whole install.
    if (!event->isAutoRepeat()) click();
    event->accept();
}

}  // namespace qtfront
