#pragma once
// The keyboard and the focus as a Windows dialog has them, for a window that is no dialog:
// Tab and Shift+Tab move through the controls that take the focus, in the order they were
// made, past a disabled button; Enter presses the focused button once, as Space does; no
// button is the default and none the cancel button.

#include "platform/win32/windows_api.h"

namespace win32front {

// For every message the thread takes from its queue, before it is dispatched. Answers true
// when the message was a key of the window's and is done with.
bool HandleDialogKeys(HWND window, const MSG& message);

// Runs `lostFocus` when `edit` loses the focus to another control of its window; not when a
// message box, another window or another program takes it.
void WatchLostFocus(HWND edit, void (*lostFocus)());

}  // namespace win32front
