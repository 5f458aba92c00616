#pragma once
// The window's real controls offered to the core through its control interfaces. The core's
// texts are UTF-8; a stored value in another 8-bit text keeps its bytes while the control
// shows it.

#include <cstdint>
#include <string>

#include "core/controls/controls.h"
#include "core/controls/shown_text.h"
#include "platform/win32/windows_api.h"

namespace win32front {

// A control's text as UTF-8.
std::string ControlText(HWND window);
void SetControlText(HWND window, const std::string& text);

class Win32TextBox : public controls::TextBox {
public:
    explicit Win32TextBox(HWND edit) : edit_(edit) {}
    HWND Handle() const { return edit_; }
    std::string Text() const override;
    void SetText(const std::string& text) override;
    // The window paints the text in it (WM_CTLCOLOREDIT).
    std::uint32_t ForeColor() const override { return colour_; }
    void SetForeColor(std::uint32_t colour) override;

private:
    HWND edit_;
    controls::ShownText shown_;
    std::uint32_t colour_ = controls::kBlack;
};

class Win32Label : public controls::Label {
public:
    explicit Win32Label(HWND label) : label_(label) {}
    std::string Caption() const override;
    void SetCaption(const std::string& caption) override;
    // Its own flag, not IsWindowVisible: the window is still hidden while Form_Load runs.
    bool Visible() const override;
    void SetVisible(bool visible) override;

private:
    HWND label_;
    controls::ShownText shown_;
};

class Win32Button : public controls::Button {
public:
    explicit Win32Button(HWND button) : button_(button) {}
    bool Enabled() const override { return ::IsWindowEnabled(button_) != FALSE; }
    void SetEnabled(bool enabled) override { ::EnableWindow(button_, enabled ? TRUE : FALSE); }

private:
    HWND button_;
};

class Win32Form : public controls::Form {
public:
    explicit Win32Form(HWND window) : window_(window) {}
    void SetCaption(const std::string& caption) override;

private:
    HWND window_;
};

}  // namespace win32front
