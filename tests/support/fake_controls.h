#pragma once

#include <string>

#include "core/controls/controls.h"

namespace testsupport {

struct FakeTextBox : controls::TextBox {
    std::string Text() const override { return text; }
    void SetText(const std::string& value) override { text = value; }
    std::uint32_t ForeColor() const override { return colour; }
    void SetForeColor(std::uint32_t value) override { colour = value; }

    std::string text;
    std::uint32_t colour = controls::kBlack;
};

struct FakeLabel : controls::Label {
    std::string Caption() const override { return caption; }
    void SetCaption(const std::string& value) override { caption = value; }
    bool Visible() const override { return visible; }
    void SetVisible(bool value) override { visible = value; }

    std::string caption;
    bool visible = true;
};

struct FakeButton : controls::Button {
    bool Enabled() const override { return enabled; }
    void SetEnabled(bool value) override { enabled = value; }

    bool enabled = true;
};

struct FakeForm : controls::Form {
    void SetCaption(const std::string& value) override { caption = value; }

    std::string caption = "Marquill";
};

// The five controls of the main window as fakes, installed for the core while it lives.
class FakeMainWindow {
public:
    FakeMainWindow() { controls::InstallMainControls(&controls_); }
    ~FakeMainWindow() { controls::InstallMainControls(nullptr); }

    FakeForm form;
    FakeTextBox txt_poi;
    FakeTextBox txt_sd;
    FakeLabel txt_navman;
    FakeLabel lbl_active;
    FakeButton cmd_Start;

private:
    controls::MainControls controls_{txt_poi, txt_sd, txt_navman, lbl_active, cmd_Start};
};

}  // namespace testsupport
