// The Windows window itself, under Wine on a virtual display that CTest sets to 150 %. Keys
// are posted to the thread's queue and go through the program's own message handling.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "core/vbreg/registry_keys.h"
#include "core/vbreg/registry_strings.h"
#include "platform/win32/text_conversion.h"
#include "resources/main_layout.h"
#include "support/test_environment.h"
#include "win32/dpi_scaling.h"
#include "win32/main_window.h"
#include "win32/win32_runtime.h"

namespace {

constexpr const char* kMarker = "unbekannt!";
constexpr const char* kTyped = "C:\\Daten für Wien";

// No box is shown (the smoke test looks at the real ones); the end of the program is thrown.
class TestRuntime : public win32front::Win32Runtime {
public:
    int MsgBox(const runtime::ShownBox&) override { return runtime::vbNo; }
    [[noreturn]] void EndProgram() override {
        ended = true;
        throw runtime::ProgramEnded{};
    }
    bool Ended() const override { return ended; }

    bool ended = false;
};

// Each test starts as the first start: nothing stored.
class Win32Window : public testsupport::IsolatedTest {
protected:
    void Start(int dpi = 96) {
        testsupport::DropTestRegistry();
        window.reset();
        runtime.reset();
        window = std::make_unique<win32front::MainWindow>(::GetModuleHandleW(nullptr), dpi);
        runtime = std::make_unique<TestRuntime>();
        runtime->SetMainWindow(window->Handle());
        window->Load();
        window->Show(SW_SHOWNORMAL);
        Pump();
    }
    HWND Control(const char* name) const { return window->Control(name); }
    std::string PoiText() const { return win32front::ControlText(Control("txt_poi")); }

    // What the window tells the edit to paint its text with.
    COLORREF PoiColour() const {
        const HWND edit = Control("txt_poi");
        const HDC context = ::GetDC(edit);
        ::SendMessageW(window->Handle(), WM_CTLCOLOREDIT, reinterpret_cast<WPARAM>(context),
                       reinterpret_cast<LPARAM>(edit));
        const COLORREF colour = ::GetTextColor(context);
        ::ReleaseDC(edit, context);
        return colour;
    }

    void Pump() {
        for (int i = 0; i < 4; ++i) {
            runtime->DoEvents();
            ::Sleep(5);
        }
    }
    void Tab() {
        ::PostMessageW(::GetFocus(), WM_KEYDOWN, VK_TAB, 1);
        Pump();
    }

    std::unique_ptr<TestRuntime> runtime;
    std::unique_ptr<win32front::MainWindow> window;
};

// Each control keeps the table's share of the window, in the table's font at the screen's
// scale: at 100 % and at the screen's 150 %.
TEST_F(Win32Window, TheLayoutKeepsTheTablesProportionsAtTheScreensScale) {
    EXPECT_EQ(win32front::ScreenDpi(), 144);
    for (const int dpi : {96, win32front::ScreenDpi()}) {
        Start(dpi);
        const double twipsPerPixel = 15.0 * 96 / dpi;  // edges within a pixel of the table
        const HWND main = window->Handle();
        RECT client;
        ::GetClientRect(main, &client);
        EXPECT_NEAR(client.right * 96.0 / dpi, 590, 0.5) << dpi;
        EXPECT_NEAR(client.bottom * 96.0 / dpi, 255, 0.5) << dpi;
        for (const auto& entry : layout::kMainControls) {
            SCOPED_TRACE(std::to_string(dpi) + " dpi, " + std::string(entry.name));
            const HWND control = Control(entry.name.data());
            RECT place;
            ::GetWindowRect(control, &place);
            ::MapWindowPoints(nullptr, main, reinterpret_cast<POINT*>(&place), 2);
            EXPECT_NEAR(place.left * twipsPerPixel, entry.left, 15);
            EXPECT_NEAR(place.top * twipsPerPixel, entry.top, 15);
            EXPECT_NEAR(place.right * twipsPerPixel, entry.left + entry.width, 15);
            EXPECT_NEAR(place.bottom * twipsPerPixel, entry.top + entry.height, 15);
            LOGFONTW font{};
            ::GetObjectW(reinterpret_cast<HFONT>(::SendMessageW(control, WM_GETFONT, 0, 0)),
                         sizeof font, &font);
            const layout::FontStyle& style = entry.font ? *entry.font : layout::kWindowFont;
            EXPECT_EQ(font.lfHeight, -::MulDiv(style.points, dpi, 72));
            EXPECT_EQ(platform::win32::Utf8FromUtf16(font.lfFaceName), style.face);
        }
    }
}

// Another window takes the focus without a check of the field and gives it back; a move to
// another control of the window checks it. Tab skips the disabled Installieren.
TEST_F(Win32Window, TheFocusFollowsTheTableAndOnlyLeavingForAnotherControlChecksAField) {
    Start();
    EXPECT_EQ(::GetFocus(), Control("txt_poi"));
    EXPECT_EQ(PoiText(), kMarker);
    EXPECT_EQ(PoiColour(), RGB(255, 0, 0));
    win32front::SetControlText(Control("txt_poi"), "");
    const HWND other = ::CreateWindowExW(0, L"STATIC", L"", WS_POPUP | WS_VISIBLE, 0, 0, 9, 9,
                                         nullptr, nullptr, nullptr, nullptr);
    ::SetFocus(other);
    Pump();
    ::DestroyWindow(other);
    Pump();
    EXPECT_EQ(::GetFocus(), Control("txt_poi"));
    EXPECT_EQ(PoiText(), "");
    for (const char* next : {"txt_sd", "cmd_quit", "txt_poi"}) {
        Tab();
        EXPECT_EQ(::GetFocus(), Control(next)) << next;
    }
    EXPECT_EQ(PoiText(), kMarker);
    win32front::SetControlText(Control("txt_poi"), kTyped);
    Tab();
    EXPECT_EQ(PoiColour(), RGB(0, 0, 0));
}

enum WayOut { kCloseBox, kEndOfSession, kEnterOnBeenden };

// Enter presses the focused button; neither button is the default one, so nothing else would.
TEST_F(Win32Window, EveryWayOutStoresTheFields) {
    for (const WayOut way : {kCloseBox, kEndOfSession, kEnterOnBeenden}) {
        Start();
        win32front::SetControlText(Control("txt_poi"), kTyped);
        const HWND main = window->Handle();
        if (way == kEndOfSession) {
            EXPECT_EQ(::SendMessageW(main, WM_QUERYENDSESSION, 0, 0), TRUE);
            ::SendMessageW(main, WM_ENDSESSION, TRUE, 0);
        } else if (way == kCloseBox) {
            ::PostMessageW(main, WM_SYSCOMMAND, SC_CLOSE, 0);
        } else {
            for (const char* button : {"cmd_Start", "cmd_quit"}) {
                EXPECT_NE(::GetWindowLongW(Control(button), GWL_STYLE) & BS_TYPEMASK,
                          BS_DEFPUSHBUTTON)
                    << button;
            }
            ::SetFocus(Control("cmd_quit"));
            ::PostMessageW(Control("cmd_quit"), WM_KEYDOWN, VK_RETURN, 1);
        }
        Pump();
        EXPECT_TRUE(runtime->Ended()) << way;
        std::int16_t flag = 0;
        EXPECT_EQ(
            vbreg::ReadRegString(vbreg::HKEY_LOCAL_MACHINE, vbreg::kSettingsKey, "Path_POI", flag),
            kTyped)
            << way;
    }
}

}  // namespace
