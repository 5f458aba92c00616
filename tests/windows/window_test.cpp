// The Windows window itself, under Wine on a virtual display that CTest sets to 150 %. Keys
// and clicks are posted to the thread's queue and go through the program's own message
// handling.
#include <gtest/gtest.h>

#include <array>
#include <memory>
#include <string>
#include <vector>

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
constexpr const char* kPoi = "C:\\POI\\";
constexpr const char* kSd = "C:\\SD\\";
constexpr const char* kTyped = "C:\\Daten für Wien";
constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kBlack = RGB(0, 0, 0);

// Boxes are counted, not shown; the end of the program is thrown instead. The smoke test
// looks at the real boxes.
class TestRuntime : public win32front::Win32Runtime {
public:
    int MsgBox(const runtime::ShownBox&) override {
        ++boxes;
        return runtime::vbNo;
    }
    [[noreturn]] void EndProgram() override {
        ended = true;
        throw runtime::ProgramEnded{};
    }
    bool Ended() const override { return ended; }

    int boxes = 0;
    bool ended = false;
};

class Win32Window : public testsupport::IsolatedTest {
protected:
    // With Path_POI stored before, and Path_SD as kSd; nullptr: a first start, nothing stored.
    void Start(const char* storedPoi, int dpi = 96) {
        testsupport::DropTestRegistry();
        if (storedPoi != nullptr) {
            ASSERT_EQ(vbreg::WriteRegString(vbreg::kSettingsKey, "Path_POI", storedPoi), 0);
            ASSERT_EQ(vbreg::WriteRegString(vbreg::kSettingsKey, "Path_SD", kSd), 0);
        }
        window.reset();
        runtime.reset();
        window = std::make_unique<win32front::MainWindow>(::GetModuleHandleW(nullptr), dpi);
        runtime = std::make_unique<TestRuntime>();
        runtime->SetMainWindow(window->Handle());
        window->Load();
        window->Show(SW_SHOWNORMAL);
        Pump();
    }
    std::string Stored(const std::string& name) {
        std::int16_t flag = 0;
        return vbreg::ReadRegString(vbreg::HKEY_LOCAL_MACHINE, vbreg::kSettingsKey, name, flag);
    }
    HWND Control(const char* name) const { return window->Control(name); }

    // What the window tells the edit to paint its text with.
    COLORREF TextColour(const char* name) const {
        const HWND edit = Control(name);
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
    void Key(UINT key, bool shift = false) {
        BYTE keys[256];
        ::GetKeyboardState(keys);
        keys[VK_SHIFT] = shift ? 0x80 : 0;
        ::SetKeyboardState(keys);
        const HWND focus = ::GetFocus();
        ::PostMessageW(focus, WM_KEYDOWN, key, 1);
        ::PostMessageW(focus, WM_KEYUP, key, 1 | (LPARAM{3} << 30));
        Pump();
    }

    std::unique_ptr<TestRuntime> runtime;
    std::unique_ptr<win32front::MainWindow> window;
};

// Each control keeps the table's share of the fixed-size window, in the table's font at the
// screen's scale: at 100 % and at the screen's 150 %.
TEST_F(Win32Window, TheLayoutKeepsTheTablesProportionsAtTheScreensScale) {
    EXPECT_EQ(win32front::ScreenDpi(), 144);
    for (const int dpi : {96, win32front::ScreenDpi()}) {
        Start(nullptr, dpi);
        const HWND main = window->Handle();
        RECT client;
        ::GetClientRect(main, &client);
        EXPECT_NEAR(client.right * 96.0 / dpi, 590, 0.5) << dpi;
        EXPECT_NEAR(client.bottom * 96.0 / dpi, 255, 0.5) << dpi;
        for (const auto& entry : layout::kMainControls) {
            const HWND control = Control(entry.name.data());
            RECT place;
            ::GetWindowRect(control, &place);
            ::MapWindowPoints(nullptr, main, reinterpret_cast<POINT*>(&place), 2);
            const std::array<long, 4> edges{place.left, place.top, place.right, place.bottom};
            const std::array<long, 4> table{entry.left, entry.top, entry.left + entry.width,
                                            entry.top + entry.height};
            for (std::size_t edge = 0; edge < 4; ++edge) {
                EXPECT_NEAR(edges[edge] * 96.0 / dpi, table[edge] / 15.0, 1.0)
                    << dpi << " " << entry.name << " edge " << edge;
            }
            LOGFONTW font{};
            ::GetObjectW(reinterpret_cast<HFONT>(::SendMessageW(control, WM_GETFONT, 0, 0)),
                         sizeof font, &font);
            const layout::FontStyle& style = entry.font ? *entry.font : layout::kWindowFont;
            EXPECT_EQ(font.lfHeight, -::MulDiv(style.points, dpi, 72)) << entry.name;
            EXPECT_EQ(platform::win32::Utf8FromUtf16(font.lfFaceName), style.face) << entry.name;
        }
        EXPECT_EQ(::GetWindowLongW(main, GWL_STYLE) & (WS_THICKFRAME | WS_MAXIMIZEBOX), 0);
        EXPECT_NE(::GetClassLongPtrW(main, GCLP_HICON), 0u);
    }
}

struct FocusRow {
    const char* name;
    const char* storedPoi = nullptr;  // nullptr: a first start
    const char* typed = nullptr;      // into txt_poi; nullptr: nothing
    bool shift = false;
    std::vector<const char*> visits = {};  // the focus after each Tab
    bool away = false;                     // another window takes the focus, then goes
    const char* shown;
    COLORREF colour;
};

// The focus starts on txt_poi and Tab follows the table, skipping a disabled button. Only a
// focus move to another control of the window checks the field; another window (a box, another
// program) takes the focus without that, and the window gives it back.
TEST_F(Win32Window, TheFocusFollowsTheTableAndOnlyLeavingForAnotherControlChecksAField) {
    // clang-format off
    const FocusRow rows[] = {
        {.name = "first start, Tab", .visits = {"txt_sd", "cmd_quit", "txt_poi"}, .shown = kMarker,
         .colour = kRed},
        {.name = "Shift+Tab", .storedPoi = kPoi, .shift = true,
         .visits = {"cmd_quit", "cmd_Start", "txt_sd", "txt_poi"}, .shown = kPoi, .colour = kBlack},
        {.name = "cleared, Tab", .typed = "", .visits = {"txt_sd"}, .shown = kMarker,
         .colour = kRed},
        {.name = "cleared, focus away", .typed = "", .away = true, .shown = "", .colour = kRed},
        {.name = "typed, Tab", .typed = kTyped, .visits = {"txt_sd"}, .shown = kTyped,
         .colour = kBlack},
        {.name = "typed, not left", .typed = kTyped, .shown = kTyped, .colour = kRed},
    };
    // clang-format on
    for (const auto& row : rows) {
        Start(row.storedPoi);
        EXPECT_EQ(::GetFocus(), Control("txt_poi")) << row.name << " at the start";
        if (row.typed != nullptr) win32front::SetControlText(Control("txt_poi"), row.typed);
        for (const char* next : row.visits) {
            Key(VK_TAB, row.shift);
            EXPECT_EQ(::GetFocus(), Control(next)) << row.name << " to " << next;
        }
        if (row.away) {
            const HWND other = ::CreateWindowExW(0, L"STATIC", L"", WS_POPUP | WS_VISIBLE, 0, 0, 9,
                                                 9, nullptr, nullptr, nullptr, nullptr);
            ::SetFocus(other);
            Pump();
            ::DestroyWindow(other);
        }
        Pump();
        if (row.visits.empty()) {
            EXPECT_EQ(::GetFocus(), Control("txt_poi")) << row.name;
        }
        EXPECT_EQ(win32front::ControlText(Control("txt_poi")), row.shown) << row.name;
        EXPECT_EQ(TextColour("txt_poi"), row.colour) << row.name;
        EXPECT_EQ(runtime->boxes, 0) << row.name;
    }
}

enum class Way { ClickOnQuit, EnterOnQuit, CloseBox, EndOfSession };

struct WayOutRow {
    const char* name;
    Way way;
    const char* storedPoi;
};

// A cleared field: Beenden takes the focus first, so its check runs before the store; the close
// box and the end of the session move no focus and store what the field shows. After the end
// no handler runs. No button is the default one: Enter presses the focused button.
TEST_F(Win32Window, EveryWayOutStoresTheFieldsAsTheyAreThen) {
    // clang-format off
    const WayOutRow rows[] = {
        {.name = "click on Beenden", .way = Way::ClickOnQuit,  .storedPoi = kMarker},
        {.name = "Enter on Beenden", .way = Way::EnterOnQuit,  .storedPoi = kMarker},
        {.name = "close box",        .way = Way::CloseBox,     .storedPoi = ""},
        {.name = "end of session",   .way = Way::EndOfSession, .storedPoi = ""},
    };
    // clang-format on
    for (const auto& row : rows) {
        Start(kPoi);
        win32front::SetControlText(Control("txt_poi"), "");
        const HWND main = window->Handle(), quit = Control("cmd_quit");
        if (row.way == Way::ClickOnQuit) {
            ::PostMessageW(quit, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(4, 4));
            ::PostMessageW(quit, WM_LBUTTONUP, 0, MAKELPARAM(4, 4));
        }
        if (row.way == Way::EnterOnQuit) {
            ::SetFocus(quit);
            Key(VK_RETURN);
        }
        if (row.way == Way::CloseBox) ::PostMessageW(main, WM_SYSCOMMAND, SC_CLOSE, 0);
        if (row.way == Way::EndOfSession) {
            EXPECT_EQ(::SendMessageW(main, WM_QUERYENDSESSION, 0, 0), TRUE) << row.name;
            ::SendMessageW(main, WM_ENDSESSION, TRUE, 0);
        }
        Pump();
        EXPECT_TRUE(runtime->Ended()) << row.name;
        EXPECT_EQ(Stored("Path_POI"), row.storedPoi) << row.name;
        win32front::SetControlText(Control("txt_sd"), "typed after the end");
        ::PostMessageW(main, WM_SYSCOMMAND, SC_CLOSE, 0);
        Pump();
        EXPECT_EQ(Stored("Path_SD"), kSd) << row.name;
        EXPECT_EQ(runtime->boxes, 0) << row.name;
        for (const char* button : {"cmd_Start", "cmd_quit"})
            EXPECT_EQ(::GetWindowLongW(Control(button), GWL_STYLE) & BS_DEFPUSHBUTTON, 0) << button;
    }
}

}  // namespace
