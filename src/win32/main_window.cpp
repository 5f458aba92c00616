#include "win32/main_window.h"

#include <algorithm>

#include "core/main/main_form.h"
#include "core/runtime/event_handler.h"
#include "platform/win32/text_conversion.h"
#include "win32/dialog_keys.h"

namespace win32front {

namespace {

constexpr wchar_t kWindowClass[] = L"MarquillMain";
// Far from IDOK and IDCANCEL, which IsDialogMessage sends for Escape.
constexpr int kFirstControlId = 100;
constexpr int kIconResource = 1;
// Fixed size: no sizing border, no maximise box.
constexpr DWORD kWindowStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;

std::wstring Wide(std::string_view text) {
    return platform::win32::Utf16FromUtf8(text);
}

DWORD LabelAlignment(layout::Alignment alignment) {
    switch (alignment) {
        case layout::Alignment::Center:
            return SS_CENTER;
        case layout::Alignment::Right:
            return SS_RIGHT;
        default:
            return SS_LEFT;
    }
}

struct ControlClass {
    const wchar_t* name;
    DWORD style;
    DWORD extendedStyle;
};

// No caption carries an access key, so "&" in a folder name is shown as it is.
ControlClass ClassOf(const layout::ControlEntry& entry) {
    switch (entry.kind) {
        case layout::ControlKind::TextBox:
            return {L"EDIT", WS_TABSTOP | ES_LEFT | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE};
        case layout::ControlKind::CommandButton:
            return {L"BUTTON", WS_TABSTOP | BS_PUSHBUTTON, 0};
        default:
            return {L"STATIC", SS_NOPREFIX | LabelAlignment(entry.alignment), 0};
    }
}

HFONT CreateFontOf(const layout::FontStyle& style, const Scale& scale) {
    return ::CreateFontW(scale.FontHeight(style.points), 0, 0, 0, style.weight, style.italic,
                         style.underline, style.strikeout, static_cast<DWORD>(style.charset),
                         OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                         DEFAULT_PITCH | FF_DONTCARE, Wide(style.face).c_str());
}

void RegisterWindowClass(HINSTANCE instance, WNDPROC procedure) {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = instance;
    windowClass.hIcon = ::LoadIconW(instance, MAKEINTRESOURCEW(kIconResource));
    windowClass.hCursor = ::LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // IDC_ARROW
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = kWindowClass;
    ::RegisterClassExW(&windowClass);  // fails harmlessly when a test window registered it
}

void RunFormUnload() {
    runtime::RunEventHandler([] {
        int cancel = 0;
        Main::Form_Unload(cancel);
    });
}

}  // namespace

MainWindow::Font::~Font() {
    if (handle != nullptr) ::DeleteObject(handle);
}

MainWindow::MainWindow(HINSTANCE instance, int dpi) : scale_(dpi) {
    RegisterWindowClass(instance, &MainWindow::Procedure);
    RECT frame =
        scale_.Rectangle(0, 0, layout::kMainWindow.clientWidth, layout::kMainWindow.clientHeight);
    ::AdjustWindowRectEx(&frame, kWindowStyle, FALSE, 0);
    ::CreateWindowExW(0, kWindowClass, Wide(layout::kMainWindow.caption).c_str(), kWindowStyle,
                      CW_USEDEFAULT, CW_USEDEFAULT, frame.right - frame.left,
                      frame.bottom - frame.top, nullptr, nullptr, instance, this);
    windowFont_.handle = CreateFontOf(layout::kWindowFont, scale_);
    statusFont_.handle = CreateFontOf(layout::kStatusFont, scale_);
    CreateControls(instance);
    focus_ = Control("txt_poi");
}

MainWindow::~MainWindow() {
    if (controls_) controls::InstallMainControls(nullptr);
    ::SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
    ::DestroyWindow(window_);
}

// Made in the order of their tab indexes: the dialog keys follow the order of creation.
void MainWindow::CreateControls(HINSTANCE instance) {
    for (const auto* placed : layout::InTabOrder()) {
        const auto& entry = *placed;
        const auto index = placed - layout::kMainControls.data();
        const ControlClass kind = ClassOf(entry);
        const RECT place = scale_.Rectangle(entry);
        const DWORD shown = entry.startsHidden ? 0 : WS_VISIBLE;
        const HWND control = ::CreateWindowExW(
            kind.extendedStyle, kind.name, Wide(entry.caption).c_str(),
            WS_CHILD | shown | kind.style, place.left, place.top, place.right - place.left,
            place.bottom - place.top, window_,
            reinterpret_cast<HMENU>(static_cast<INT_PTR>(kFirstControlId + index)), instance,
            nullptr);
        const HFONT font =
            entry.font == &layout::kStatusFont ? statusFont_.handle : windowFont_.handle;
        ::SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
        if (entry.kind == layout::ControlKind::TextBox) {
            ::SendMessageW(control, EM_SETLIMITTEXT, 0, 0);  // no limit but the system's
        }
    }
    WatchLostFocus(Control("txt_poi"), [] { runtime::RunEventHandler(Main::txt_poi_LostFocus); });
    WatchLostFocus(Control("txt_sd"), [] { runtime::RunEventHandler(Main::txt_sd_LostFocus); });
}

void MainWindow::Load() {
    poiBox_ = std::make_unique<Win32TextBox>(Control("txt_poi"));
    sdBox_ = std::make_unique<Win32TextBox>(Control("txt_sd"));
    navmanLabel_ = std::make_unique<Win32Label>(Control("txt_navman"));
    activeLabel_ = std::make_unique<Win32Label>(Control("lbl_active"));
    startButton_ = std::make_unique<Win32Button>(Control("cmd_Start"));
    form_ = std::make_unique<Win32Form>(window_);
    controls_ = std::make_unique<controls::MainControls>(
        controls::MainControls{*poiBox_, *sdBox_, *navmanLabel_, *activeLabel_, *startButton_});
    controls::InstallMainControls(controls_.get());
    runtime::RunEventHandler([this] { Main::Form_Load(*form_); });
}

void MainWindow::Show(int showCommand) {
    ::ShowWindow(window_, showCommand);
    ::UpdateWindow(window_);
    ::SetFocus(focus_);
}

HWND MainWindow::Control(std::string_view name) const {
    const auto& table = layout::kMainControls;
    const auto entry = std::find_if(table.begin(), table.end(),
                                    [&](const auto& control) { return control.name == name; });
    if (entry == table.end()) return nullptr;
    return ::GetDlgItem(window_, kFirstControlId + static_cast<int>(entry - table.begin()));
}

LRESULT CALLBACK MainWindow::Procedure(HWND window, UINT message, WPARAM w, LPARAM l) {
    if (message == WM_NCCREATE) {
        auto* self = static_cast<MainWindow*>(reinterpret_cast<CREATESTRUCTW*>(l)->lpCreateParams);
        self->window_ = window;
        ::SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<MainWindow*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
    return self != nullptr ? self->OnMessage(message, w, l)
                           : ::DefWindowProcW(window, message, w, l);
}

LRESULT MainWindow::OnMessage(UINT message, WPARAM w, LPARAM l) {
    switch (message) {
        case WM_CTLCOLOREDIT:
            if (const HBRUSH brush =
                    TextColours(reinterpret_cast<HDC>(w), reinterpret_cast<HWND>(l))) {
                return reinterpret_cast<LRESULT>(brush);
            }
            break;
        case WM_COMMAND:
            Command(reinterpret_cast<HWND>(l), HIWORD(w));
            return 0;
        case WM_ACTIVATE:
            RememberFocus(w);
            break;
        case WM_SETFOCUS:
            if (focus_ != nullptr) ::SetFocus(focus_);
            return 0;
        // The close box, Alt+F4 and the end of the Windows session store the folders as they
        // stand; the program ends in there.
        case WM_CLOSE:
            RunFormUnload();
            return 0;
        case WM_QUERYENDSESSION:
            return TRUE;
        case WM_ENDSESSION:
            if (w != FALSE) RunFormUnload();
            return 0;
        default:
            break;
    }
    return ::DefWindowProcW(window_, message, w, l);
}

// Colour values are 0x00BBGGRR, as COLORREF is.
HBRUSH MainWindow::TextColours(HDC context, HWND edit) const {
    for (const auto* box : {poiBox_.get(), sdBox_.get()}) {
        if (box == nullptr || box->Handle() != edit) continue;
        ::SetTextColor(context, box->ForeColor());
        ::SetBkColor(context, ::GetSysColor(COLOR_WINDOW));
        return ::GetSysColorBrush(COLOR_WINDOW);
    }
    return nullptr;
}

void MainWindow::Command(HWND control, int notification) {
    if (notification != BN_CLICKED) return;
    if (control == Control("cmd_Start")) runtime::RunEventHandler(Main::cmd_Start_Click);
    if (control == Control("cmd_quit")) runtime::RunEventHandler(Main::cmd_quit_Click);
}

// A window that is no dialog gives the focus to itself when it is activated again, after a
// message box or another program: WM_SETFOCUS hands it on to the control that had it.
void MainWindow::RememberFocus(WPARAM activation) {
    if (LOWORD(activation) != WA_INACTIVE) return;
    const HWND focused = ::GetFocus();
    if (focused != nullptr && ::IsChild(window_, focused)) focus_ = focused;
}

}  // namespace win32front
