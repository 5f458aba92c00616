#pragma once
// The real widgets offered to the core through its control interfaces. Texts cross as the
// system's 8-bit code page, as the core expects.

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QWidget>

#include "core/controls/controls.h"

namespace qtfront {

QString FromAnsi(const std::string& text);
std::string ToAnsi(const QString& text);

class QtTextBox : public controls::TextBox {
public:
    explicit QtTextBox(QLineEdit& edit) : edit_(edit) {}
    std::string Text() const override;
    void SetText(const std::string& text) override;
    std::uint32_t ForeColor() const override { return colour_; }
    void SetForeColor(std::uint32_t colour) override;

private:
    QLineEdit& edit_;
    std::uint32_t colour_ = controls::kBlack;
};

class QtLabel : public controls::Label {
public:
    explicit QtLabel(QLabel& label) : label_(label) {}
    std::string Caption() const override;
    void SetCaption(const std::string& caption) override;
    bool Visible() const override { return !label_.isHidden(); }
    void SetVisible(bool visible) override { label_.setVisible(visible); }

private:
    QLabel& label_;
};

class QtButton : public controls::Button {
public:
    explicit QtButton(QPushButton& button) : button_(button) {}
    bool Enabled() const override { return button_.isEnabled(); }
    void SetEnabled(bool enabled) override { button_.setEnabled(enabled); }

private:
    QPushButton& button_;
};

class QtForm : public controls::Form {
public:
    explicit QtForm(QWidget& window) : window_(window) {}
    void SetCaption(const std::string& caption) override;

private:
    QWidget& window_;
};

}  // namespace qtfront
