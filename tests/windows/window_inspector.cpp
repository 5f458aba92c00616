// Prints a top-level window's controls as another program sees them, in the order they were
// made, one line each: class, "enabled" or "disabled", where its middle is on the screen
// ("x y"), the text (line breaks as "\n"). The first line names the window's owner.
//   window_inspector TITLE
#include <cstdio>
#include <string>

#include "platform/win32/text_conversion.h"
#include "platform/win32/windows_api.h"

namespace {

std::wstring TextOf(HWND window) {
    DWORD_PTR length = 0;
    ::SendMessageTimeoutW(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 5000, &length);
    std::wstring text(length + 1, L'\0');
    DWORD_PTR copied = 0;
    ::SendMessageTimeoutW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()),
                          SMTO_ABORTIFHUNG, 5000, &copied);
    text.resize(copied);
    for (std::size_t at = 0; (at = text.find(L"\r\n", at)) != std::wstring::npos;) {
        text.replace(at, 2, L"\\n");
    }
    return text;
}

void PrintLine(const std::wstring& line) {
    const std::string text = platform::win32::Utf8FromUtf16(line) + "\n";
    std::fwrite(text.data(), 1, text.size(), stdout);
}

BOOL CALLBACK PrintControl(HWND control, LPARAM) {
    wchar_t name[64] = {};
    ::GetClassNameW(control, name, 64);
    RECT place;
    ::GetWindowRect(control, &place);
    const std::wstring middle = std::to_wstring((place.left + place.right) / 2) + L" " +
                                std::to_wstring((place.top + place.bottom) / 2);
    PrintLine(std::wstring(name) + L"\t" + (::IsWindowEnabled(control) ? L"enabled" : L"disabled") +
              L"\t" + middle + L"\t" + TextOf(control));
    return TRUE;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc != 2) return 2;
    const HWND window = ::FindWindowW(nullptr, argv[1]);
    if (window == nullptr) return 1;
    const HWND owner = ::GetWindow(window, GW_OWNER);
    PrintLine(L"owner\t" + (owner != nullptr ? TextOf(owner) : std::wstring()));
    ::EnumChildWindows(window, PrintControl, 0);
    return 0;
}
