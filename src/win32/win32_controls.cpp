#include "win32/win32_controls.h"

#include "platform/win32/text_conversion.h"

namespace win32front {

std::string ControlText(HWND window) {
    std::wstring text(static_cast<std::size_t>(::GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(
        ::GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return platform::win32::Utf8FromUtf16(text);
}

void SetControlText(HWND window, const std::string& text) {
    ::SetWindowTextW(window, platform::win32::Utf16FromUtf8(text).c_str());
}

std::string Win32TextBox::Text() const {
    return shown_.BytesFor(ControlText(edit_));
}

void Win32TextBox::SetText(const std::string& text) {
    SetControlText(edit_, shown_.Show(text));
}

void Win32TextBox::SetForeColor(std::uint32_t colour) {
    colour_ = colour;
    ::InvalidateRect(edit_, nullptr, TRUE);
}

std::string Win32Label::Caption() const {
    return shown_.BytesFor(ControlText(label_));
}

void Win32Label::SetCaption(const std::string& caption) {
    SetControlText(label_, shown_.Show(caption));
}

bool Win32Label::Visible() const {
    return (::GetWindowLongW(label_, GWL_STYLE) & WS_VISIBLE) != 0;
}

void Win32Label::SetVisible(bool visible) {
    ::ShowWindow(label_, visible ? SW_SHOWNA : SW_HIDE);
}

void Win32Form::SetCaption(const std::string& caption) {
    SetControlText(window_, controls::ShownForm(caption));
}

}  // namespace win32front
