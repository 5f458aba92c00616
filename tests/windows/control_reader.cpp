// Prints a top-level window's controls as another program sees them, in the order they were
// made, one line each: class, where its middle is on the screen ("x y"), the text (line breaks as
// "\n"). The first line names the window's owner.
//   control_reader TITLE
#include <cstdio>
#include <string>

#include "platform/win32/text_conversion.h"
#include "platform/win32/windows_api.h"

namespace {

// Asked of the control itself: an edit keeps the typed text to itself. Empty for no window.
std::wstring TextOf(HWND window) {
    wchar_t shown[1024] = {};
    ::SendMessageTimeoutW(window, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(shown),
                          SMTO_ABORTIFHUNG, 5000, nullptr);
    std::wstring text = shown;
    for (std::size_t at; (at = text.find(L"\r\n")) != std::wstring::npos;)
        text.replace(at, 2, L"\\n");
    return text;
}

void PrintLine(const std::wstring& line) {
    std::fputs(platform::win32::Utf8FromUtf16(line + L"\n").c_str(), stdout);
}

BOOL CALLBACK PrintControl(HWND control, LPARAM) {
    wchar_t name[64] = {};
    ::GetClassNameW(control, name, 64);
    RECT place;
    ::GetWindowRect(control, &place);
    PrintLine(std::wstring(name) + L"\t" + std::to_wstring((place.left + place.right) / 2) + L" " +
              std::to_wstring((place.top + place.bottom) / 2) + L"\t" + TextOf(control));
    return TRUE;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    const HWND window = argc == 2 ? ::FindWindowW(nullptr, argv[1]) : nullptr;
    if (window == nullptr) return 1;
    PrintLine(L"owner\t" + TextOf(::GetWindow(window, GW_OWNER)));
    ::EnumChildWindows(window, PrintControl, 0);
    return 0;
}
