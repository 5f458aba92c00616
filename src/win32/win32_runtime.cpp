#include "win32/win32_runtime.h"

#include <algorithm>
#include <cstdio>

#include "platform/win32/text_conversion.h"
#include "win32/dialog_keys.h"

namespace win32front {

namespace {

// The Basic runtime's box codes are Windows' own: MB_YESNO is vbYesNo, MB_ICONHAND vbCritical,
// IDYES vbYes, and so on.
constexpr int kBoxStyleMask =
    runtime::kMsgBoxButtonMask | runtime::kMsgBoxIconMask | runtime::kMsgBoxDefaultMask;

bool AsksYesOrNo(int style) {
    return (style & runtime::kMsgBoxButtonMask) == runtime::vbYesNo;
}

DWORD Milliseconds(std::chrono::milliseconds bound) {
    constexpr auto kLongest = std::chrono::milliseconds(INFINITE - 1);
    return static_cast<DWORD>(std::clamp(bound, std::chrono::milliseconds(0), kLongest).count());
}

}  // namespace

Win32Runtime::Win32Runtime() {
    runtime::InstallRuntime(this);
}

Win32Runtime::~Win32Runtime() {
    runtime::UninstallRuntime(this);
}

int Win32Runtime::MsgBox(const runtime::ShownBox& box) {
    const UINT modality = mainWindow_ != nullptr ? MB_APPLMODAL : MB_TASKMODAL;
    const int answer = ::MessageBoxW(mainWindow_, platform::win32::Utf16FromUtf8(box.text).c_str(),
                                     platform::win32::Utf16FromUtf8(box.title).c_str(),
                                     static_cast<UINT>(box.style & kBoxStyleMask) | modality);
    if (answer == IDOK || answer == IDYES || answer == IDNO) return answer;
    // No box could be shown (no desktop): the text must not be lost, and a question gets the
    // answer that changes nothing.
    std::fprintf(stderr, "%s: %s\n", box.title.c_str(), box.text.c_str());
    return AsksYesOrNo(box.style) ? runtime::vbNo : runtime::vbOK;
}

void Win32Runtime::DoEvents() {
    MSG message;
    while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            // The program's own message loop must still see it.
            ::PostQuitMessage(static_cast<int>(message.wParam));
            return;
        }
        Dispatch(message);
    }
}

void Win32Runtime::Dispatch(const MSG& message) const {
    if (HandleDialogKeys(mainWindow_, message)) return;
    ::TranslateMessage(&message);
    ::DispatchMessageW(&message);
}

// The child's handle stays open until the process list has shown its end, so it is valid
// here.
void Win32Runtime::WaitForEvents(std::chrono::milliseconds bound, platform::EndSignal childEnd) {
    const auto process = reinterpret_cast<::HANDLE>(childEnd);
    const DWORD handles = childEnd != platform::kNoEndSignal ? 1 : 0;
    ::MsgWaitForMultipleObjectsEx(handles, &process, Milliseconds(bound), QS_ALLINPUT,
                                  MWMO_INPUTAVAILABLE);
    DoEvents();
}

void Win32Runtime::EndProgram() {
    // The registry and the card's files are on the disk already; only C's buffers are left.
    std::fflush(nullptr);
    ::ExitProcess(0);
}

}  // namespace win32front
