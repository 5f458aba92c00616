#pragma once
// The real widgets offered to the core through its control interfaces. The core's texts are
// UTF-8; a stored value in another 8-bit text keeps its bytes while the control shows it.

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QWidget>

#include "core/controls/controls.h"
#include "core/controls/shown_text.h"

namespace qtfront {

// A text of the core as the screen shows it.
QString Displayed(const std::string& text);

class QtTextBox : public controls::TextBox {
public:
    explicit QtTextBox(QLineEdit& edit) : edit_(edit) {}
    std::string Text() const override;
    void SetText(const std::string& text) override;
    std::uint32_t ForeColor() const override { return colour_; }
    void SetForeColor(std::uint32_t colour) override;

private:
    QLineEdit& edit_;
    controls::ShownText shown_;
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
    controls::ShownText shown_;
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
