#pragma once

#include <string>

#include "core/controls/controls.h"

namespace testsupport {

// Any control of the window, keeping what the core sets; the core reaches only the part of
// the control's own kind.
struct FakeControl : controls::TextBox, controls::Label, controls::Button, controls::Form {
    std::string Text() const override { return text; }
    void SetText(const std::string& value) override { text = value; }
    std::uint32_t ForeColor() const override { return colour; }
    void SetForeColor(std::uint32_t value) override { colour = value; }
    std::string Caption() const override { return caption; }
    void SetCaption(const std::string& value) override { caption = value; }
    bool Visible() const override { return visible; }
    void SetVisible(bool value) override { visible = value; }
    bool Enabled() const override { return enabled; }
    void SetEnabled(bool value) override { enabled = value; }

    std::string text, caption;
    std::uint32_t colour = controls::kBlack;
    bool visible = true, enabled = true;
};

// The controls of the main window as fakes, installed for the core while it lives.
class FakeMainWindow {
public:
    FakeMainWindow() { controls::InstallMainControls(&controls_); }
    ~FakeMainWindow() { controls::InstallMainControls(nullptr); }

    FakeControl form, txt_poi, txt_sd, txt_navman, lbl_active, cmd_Start;

private:
    controls::MainControls controls_{txt_poi, txt_sd, txt_navman, lbl_active, cmd_Start};
};

}  // namespace testsupport
