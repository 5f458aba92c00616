#pragma once
// The runtime services the core needs, on the plain Windows API: Windows' own message boxes,
// the thread's message queue, and the end of the process.

#include <chrono>

#include "core/runtime/runtime_services.h"
#include "platform/win32/windows_api.h"

namespace win32front {

class Win32Runtime : public runtime::RuntimeServices {
public:
    // Installed for the core while it lives.
    Win32Runtime();
    ~Win32Runtime() override;
    Win32Runtime(const Win32Runtime&) = delete;
    Win32Runtime& operator=(const Win32Runtime&) = delete;

    // The program's window: it owns the message boxes, and its controls take Tab and Enter
    // while events run. Without one a box is modal to the whole thread.
    void SetMainWindow(HWND window) { mainWindow_ = window; }

    // One message as the window takes it, here as in the program's message loop: the dialog
    // keys first, else translated and sent to its window's procedure.
    void Dispatch(const MSG& message) const;

    int MsgBox(const runtime::ShownBox& box) override;
    void DoEvents() override;
    // Sleeps in MsgWaitForMultipleObjects on the child's process handle (when there is one)
    // and the message queue, then runs what has arrived.
    void WaitForEvents(std::chrono::milliseconds bound, platform::EndSignal childEnd) override;
    [[noreturn]] void EndProgram() override;

private:
    HWND mainWindow_ = nullptr;
};

}  // namespace win32front
