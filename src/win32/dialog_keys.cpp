#include "win32/dialog_keys.h"

#include <cwchar>

namespace win32front {

namespace {

constexpr LPARAM kKeyWasDown = LPARAM{1} << 30;

// The EDIT class's own procedure, the same for every edit of the process.
WNDPROC editProcedure = nullptr;

bool IsPushButton(HWND control) {
    wchar_t name[16] = {};
    ::GetClassNameW(control, name, 16);
    return ::_wcsicmp(name, L"Button") == 0;
}

bool IsHeld(int key) {
    return ::GetKeyState(key) < 0;
}

bool IsEnter(const MSG& message) {
    return (message.message == WM_KEYDOWN || message.message == WM_KEYUP ||
            message.message == WM_CHAR) &&
           message.wParam == VK_RETURN;
}

void Press(HWND button) {
    ::SendMessageW(::GetParent(button), WM_COMMAND, MAKEWPARAM(::GetDlgCtrlID(button), BN_CLICKED),
                   reinterpret_cast<LPARAM>(button));
}

LRESULT CALLBACK EditWithLostFocus(HWND edit, UINT message, WPARAM w, LPARAM l) {
    const LRESULT result = ::CallWindowProcW(editProcedure, edit, message, w, l);
    if (message == WM_KILLFOCUS) {
        const auto gainer = reinterpret_cast<HWND>(w);
        const HWND window = ::GetParent(edit);
        const auto lostFocus =
            reinterpret_cast<void (*)()>(::GetWindowLongPtrW(edit, GWLP_USERDATA));
        if (gainer != nullptr && ::IsChild(window, gainer) && lostFocus != nullptr) lostFocus();
    }
    return result;
}

}  // namespace

bool HandleDialogKeys(HWND window, const MSG& message) {
    if (window == nullptr || (message.hwnd != window && !::IsChild(window, message.hwnd))) {
        return false;
    }
    if (IsEnter(message)) {
        // IsDialogMessage would send the window IDOK, which a window without an OK button
        // cannot tell from a click. Held down, Enter presses once: a click may run a whole
        // install. The keypad's Enter is the same key.
        const bool plain = !IsHeld(VK_SHIFT) && !IsHeld(VK_CONTROL);
        if (message.message == WM_KEYDOWN && (message.lParam & kKeyWasDown) == 0 && plain &&
            IsPushButton(message.hwnd) && ::IsWindowEnabled(message.hwnd)) {
            Press(message.hwnd);
        }
        return true;
    }
    return ::IsDialogMessageW(window, const_cast<MSG*>(&message)) != FALSE;
}

void WatchLostFocus(HWND edit, void (*lostFocus)()) {
    ::SetWindowLongPtrW(edit, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(lostFocus));
    const auto former = reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtrW(edit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&EditWithLostFocus)));
    if (editProcedure == nullptr) editProcedure = former;
}

}  // namespace win32front
