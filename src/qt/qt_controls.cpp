#include "qt/qt_controls.h"

#include <QPalette>

namespace qtfront {

QString FromAnsi(const std::string& text) {
    return QString::fromLocal8Bit(text.data(), static_cast<qsizetype>(text.size()));
}

std::string ToAnsi(const QString& text) {
    return text.toLocal8Bit().toStdString();
}

std::string QtTextBox::Text() const {
    return ToAnsi(edit_.text());
}

void QtTextBox::SetText(const std::string& text) {
    edit_.setText(FromAnsi(text));
}

void QtTextBox::SetForeColor(std::uint32_t colour) {
    colour_ = colour;
    QPalette palette = edit_.palette();
    palette.setColor(QPalette::Text,
                     QColor(colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF));
    edit_.setPalette(palette);
}

std::string QtLabel::Caption() const {
    return ToAnsi(label_.text());
}

void QtLabel::SetCaption(const std::string& caption) {
    label_.setText(FromAnsi(caption));
}

void QtForm::SetCaption(const std::string& caption) {
    window_.setWindowTitle(FromAnsi(caption));
}

}  // namespace qtfront
