#pragma once
// A command button as Windows has it: Enter presses the focused button, Space too, and no
// button is the window's default.

#include <QPushButton>

namespace qtfront {

class CommandButton : public QPushButton {
    Q_OBJECT

public:
    CommandButton(const QString& caption, QWidget* parent);

protected:
    void keyPressEvent(QKeyEvent* event) override;
};

}  // namespace qtfront
