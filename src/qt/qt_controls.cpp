#include "qt/qt_controls.h"

#include <QPalette>

namespace qtfront {

QString Displayed(const std::string& text) {
    return QString::fromUtf8(controls::ShownForm(text));
}

std::string QtTextBox::Text() const {
    return shown_.BytesFor(edit_.text().toStdString());
}

void QtTextBox::SetText(const std::string& text) {
    edit_.setText(QString::fromUtf8(shown_.Show(text)));
}

void QtTextBox::SetForeColor(std::uint32_t colour) {
    colour_ = colour;
    QPalette palette = edit_.palette();
    palette.setColor(QPalette::Text,
                     QColor(colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF));
    edit_.setPalette(palette);
}

std::string QtLabel::Caption() const {
    return shown_.BytesFor(label_.text().toStdString());
}

void QtLabel::SetCaption(const std::string& caption) {
    label_.setText(QString::fromUtf8(shown_.Show(caption)));
}

void QtForm::SetCaption(const std::string& caption) {
    window_.setWindowTitle(Displayed(caption));
}

}  // namespace qtfront
