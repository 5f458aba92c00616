// The Windows window itself, under Wine on a virtual display that CTest sets to 150 %. Keys
// and clicks are posted to the thread's queue and go through the program's own message
// handling; Windows' own boxes are real and are looked at and answered from a timer.
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

using Boxes = std::vector<std::string>;

constexpr const char* kMarker = "unbekannt!";
constexpr const char* kPoi = "C:\\POI\\";
constexpr const char* kSd = "C:\\SD\\";
constexpr const char* kTyped = "C:\\Daten für Wien";
constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kBlack = RGB(0, 0, 0);
const Boxes kBox{"Marquill of Marquill (200512181907), with the focus"};

// Windows' own boxes, each seen once while it shows and answered "Nein" or "OK"; the end of
// the program is thrown instead.
class AnsweringRuntime : public win32front::Win32Runtime {
public:
    explicit AnsweringRuntime(HWND window) {
        SetMainWindow(window);
        boxes.clear();
    }
    int MsgBox(const runtime::ShownBox& box) override {
        const UINT_PTR timer = ::SetTimer(nullptr, 0, 20, &SeeAndAnswer);
        const int answer = Win32Runtime::MsgBox(box);
        ::KillTimer(nullptr, timer);
        return answer;
    }
    [[noreturn]] void EndProgram() override {
        ended_ = true;
        throw runtime::ProgramEnded{};
    }
    bool Ended() const override { return ended_; }

    static inline Boxes boxes;

private:
    static void CALLBACK SeeAndAnswer(HWND, UINT, UINT_PTR timer, DWORD) {
        const HWND box = ::FindWindowW(L"#32770", nullptr);
        if (box == nullptr) return;  // not up yet
        ::KillTimer(nullptr, timer);
        boxes.push_back(win32front::ControlText(box) + " of " +
                        win32front::ControlText(::GetWindow(box, GW_OWNER)) +
                        (::IsChild(box, ::GetFocus()) ? ", with the focus" : ", without it"));
        const int answer = ::GetDlgItem(box, IDNO) != nullptr ? IDNO : IDOK;
        ::PostMessageW(box, WM_COMMAND, MAKEWPARAM(answer, BN_CLICKED), 0);
    }

    bool ended_ = false;
};

class Win32Window : public testsupport::IsolatedTest {
protected:
    void Start(int dpi = 96) {
        window.reset();
        runtime.reset();
        window = std::make_unique<win32front::MainWindow>(::GetModuleHandleW(nullptr), dpi);
        runtime = std::make_unique<AnsweringRuntime>(window->Handle());
        window->Load();
        window->Show(SW_SHOWNORMAL);
        Pump();
    }
    void StartWithStoredPoi(const std::string& poi) {
        ASSERT_EQ(vbreg::WriteRegString(vbreg::kSettingsKey, "Path_POI", poi), 0);
        ASSERT_EQ(vbreg::WriteRegString(vbreg::kSettingsKey, "Path_SD", kSd), 0);
        Start();
    }
    std::string Stored(const std::string& name) {
        std::int16_t flag = 0;
        return vbreg::ReadRegString(vbreg::HKEY_LOCAL_MACHINE, vbreg::kSettingsKey, name, flag);
    }

    HWND Control(const char* name) const { return window->Control(name); }
    std::string Text(const char* name) const { return win32front::ControlText(Control(name)); }

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
    // Down and up each run on their own, so that a second press on the way up would show.
    void Key(UINT key, LPARAM flags = 0, bool shift = false) {
        BYTE keys[256];
        ::GetKeyboardState(keys);
        keys[VK_SHIFT] = shift ? 0x80 : 0;
        ::SetKeyboardState(keys);
        const HWND focus = ::GetFocus();
        ::PostMessageW(focus, WM_KEYDOWN, key, 1 | flags);
        Pump();
        ::PostMessageW(focus, WM_KEYUP, key, 1 | flags | (LPARAM{3} << 30));
        Pump();
    }

    std::unique_ptr<AnsweringRuntime> runtime;
    std::unique_ptr<win32front::MainWindow> window;
};

SIZE TextSize(HWND control, const std::string& text) {
    const std::wstring wide = platform::win32::Utf16FromUtf8(text);
    const HDC context = ::GetDC(control);
    const HGDIOBJ former =
        ::SelectObject(context, reinterpret_cast<HFONT>(::SendMessageW(control, WM_GETFONT, 0, 0)));
    SIZE size{};
    ::GetTextExtentPoint32W(context, wide.c_str(), static_cast<int>(wide.size()), &size);
    ::SelectObject(context, former);
    ::ReleaseDC(control, context);
    return size;
}

struct ScaleRow {
    const char* name;
    int dpi;
    std::array<long, 2> client;
};

// Each control keeps the table's share of the fixed-size window and its text fits; the status
// font is the large one and grows with the screen.
TEST_F(Win32Window, TheLayoutKeepsTheTablesProportionsAtTheScreensScale) {
    const ScaleRow rows[] = {
        {.name = "100 %", .dpi = 96, .client = {590, 255}},
        {.name = "the screen at 150 %", .dpi = win32front::ScreenDpi(), .client = {885, 383}},
    };
    std::vector<long> statusHeights;
    for (const auto& row : rows) {
        Start(row.dpi);
        const HWND main = window->Handle();
        RECT client;
        ::GetClientRect(main, &client);
        EXPECT_EQ((std::array<long, 2>{client.right, client.bottom}), row.client) << row.name;
        for (const auto& entry : layout::kMainControls) {
            const char* name = entry.name.data();
            RECT place;
            ::GetWindowRect(Control(name), &place);
            ::MapWindowPoints(nullptr, main, reinterpret_cast<POINT*>(&place), 2);
            const std::array<long, 4> edges{place.left, place.top, place.right, place.bottom};
            const std::array<long, 4> table{entry.left, entry.top, entry.left + entry.width,
                                            entry.top + entry.height};
            for (std::size_t edge = 0; edge < 4; ++edge) {
                EXPECT_NEAR(edges[edge] * 96.0 / row.dpi, table[edge] / 15.0, 1.0)
                    << row.name << " " << name << " edge " << edge;
            }
            const SIZE text = TextSize(Control(name), std::string(entry.caption) + "Xg");
            EXPECT_LE(text.cx, place.right - place.left) << row.name << " " << name;
            EXPECT_LE(text.cy, place.bottom - place.top) << row.name << " " << name;
        }
        statusHeights.push_back(TextSize(Control("lbl_active"), "Xg").cy);
        EXPECT_GT(statusHeights.back(), 2 * TextSize(Control("lbl_poi"), "Xg").cy) << row.name;
        EXPECT_EQ(::GetWindowLongW(main, GWL_STYLE) & (WS_THICKFRAME | WS_MAXIMIZEBOX), 0)
            << row.name;
        EXPECT_NE(::GetClassLongPtrW(main, GCLP_HICON), 0u) << row.name;
    }
    EXPECT_NEAR(static_cast<double>(statusHeights[1]) / statusHeights[0], 1.5, 0.2);
}

TEST_F(Win32Window, FirstStartShowsBothFoldersUnknownInRedAndInstallDisabled) {
    Start();
    EXPECT_EQ(::GetFocus(), Control("txt_poi"));
    for (const char* field : {"txt_poi", "txt_sd"}) {
        EXPECT_EQ(Text(field), kMarker) << field;
        EXPECT_EQ(TextColour(field), kRed) << field;
    }
    EXPECT_FALSE(::IsWindowEnabled(Control("cmd_Start")));
    EXPECT_EQ(Text("txt_navman"), "");
    EXPECT_FALSE(::IsWindowVisible(Control("lbl_active")));
    EXPECT_EQ(runtime->boxes, Boxes{});
}

struct TabRow {
    const char* name;
    const char* storedPoi;
    bool shift;
    std::vector<const char*> visits;
};

TEST_F(Win32Window, TabAndShiftTabFollowTheTableAndSkipADisabledButton) {
    // clang-format off
    const TabRow rows[] = {
        {.name = "Tab", .storedPoi = kPoi, .shift = false,
         .visits = {"txt_sd", "cmd_Start", "cmd_quit", "txt_poi"}},
        {.name = "Shift+Tab", .storedPoi = kPoi, .shift = true,
         .visits = {"cmd_quit", "cmd_Start", "txt_sd", "txt_poi"}},
        {.name = "Installieren disabled", .storedPoi = "", .shift = false,
         .visits = {"txt_sd", "cmd_quit", "txt_poi"}},
    };
    // clang-format on
    for (const auto& row : rows) {
        StartWithStoredPoi(row.storedPoi);
        for (const char* next : row.visits) {
            Key(VK_TAB, 0, row.shift);
            EXPECT_EQ(::GetFocus(), Control(next)) << row.name << " to " << next;
        }
    }
}

enum class Leave { ByTab, ToABox, NotAtAll };

struct LeavingRow {
    const char* name;
    const char* typed;
    Leave leave;
    const char* shown;
    COLORREF colour;
    const char* focus;
    Boxes boxes;
};

// From the first start's red marker: only a focus move to another control of the window checks
// the field; a box takes the focus without that and gives it back.
TEST_F(Win32Window, OnlyLeavingAFieldForAnotherControlChecksIt) {
    // clang-format off
    const LeavingRow rows[] = {
        {.name = "cleared, Tab", .typed = "", .leave = Leave::ByTab, .shown = kMarker,
         .colour = kRed, .focus = "txt_sd", .boxes = {}},
        {.name = "cleared, box", .typed = "", .leave = Leave::ToABox, .shown = "",
         .colour = kRed, .focus = "txt_poi", .boxes = kBox},
        {.name = "typed, Tab", .typed = kTyped, .leave = Leave::ByTab, .shown = kTyped,
         .colour = kBlack, .focus = "txt_sd", .boxes = {}},
        {.name = "typed, not left", .typed = kTyped, .leave = Leave::NotAtAll, .shown = kTyped,
         .colour = kRed, .focus = "txt_poi", .boxes = {}},
    };
    // clang-format on
    for (const auto& row : rows) {
        StartWithStoredPoi("");
        win32front::SetControlText(Control("txt_poi"), row.typed);
        if (row.leave == Leave::ByTab) Key(VK_TAB);
        if (row.leave == Leave::ToABox) runtime::MsgBox("Überschreiben?", runtime::vbYesNo);
        Pump();
        EXPECT_EQ(Text("txt_poi"), row.shown) << row.name;
        EXPECT_EQ(TextColour("txt_poi"), row.colour) << row.name;
        EXPECT_EQ(::GetFocus(), Control(row.focus)) << row.name;
        EXPECT_EQ(runtime->boxes, row.boxes) << row.name;
    }
}

struct KeyRow {
    const char* name;
    UINT key;
    LPARAM flags;
    Boxes boxes;
};

// "Installieren" without an install list shows one box per press, and has the focus again after.
TEST_F(Win32Window, EnterPressesTheFocusedButtonOnceAndNoButtonIsTheDefault) {
    constexpr LPARAM kKeypad = LPARAM{1} << 24;
    constexpr LPARAM kHeld = LPARAM{1} << 30;
    // clang-format off
    const KeyRow rows[] = {
        {.name = "Enter",        .key = VK_RETURN, .flags = 0,       .boxes = kBox},
        {.name = "keypad Enter", .key = VK_RETURN, .flags = kKeypad, .boxes = kBox},
        {.name = "held Enter",   .key = VK_RETURN, .flags = kHeld,   .boxes = {}},
        {.name = "Escape",       .key = VK_ESCAPE, .flags = 0,       .boxes = {}},
    };
    // clang-format on
    for (const auto& row : rows) {
        StartWithStoredPoi(kPoi);
        ::SetFocus(Control("cmd_Start"));
        Key(row.key, row.flags);
        EXPECT_EQ(runtime->boxes, row.boxes) << row.name;
        EXPECT_EQ(::GetFocus(), Control("cmd_Start")) << row.name;
        EXPECT_FALSE(runtime->Ended()) << row.name;
    }
    for (const char* button : {"cmd_Start", "cmd_quit"}) {
        EXPECT_EQ(::GetWindowLongW(Control(button), GWL_STYLE) & BS_DEFPUSHBUTTON, 0) << button;
    }
}

enum class Way { ClickOnQuit, CloseBox, EndOfSession };

struct WayOutRow {
    const char* name;
    Way way;
    const char* storedPoi;
};

// A cleared field: Beenden takes the focus first, so its check runs before the store; the close
// box and the end of the session move no focus and store what the field shows. After the end
// no handler runs.
TEST_F(Win32Window, EveryWayOutStoresTheFieldsAsTheyAreThen) {
    // clang-format off
    const WayOutRow rows[] = {
        {.name = "click on Beenden", .way = Way::ClickOnQuit,  .storedPoi = kMarker},
        {.name = "close box",        .way = Way::CloseBox,     .storedPoi = ""},
        {.name = "end of session",   .way = Way::EndOfSession, .storedPoi = ""},
    };
    // clang-format on
    for (const auto& row : rows) {
        StartWithStoredPoi(kPoi);
        win32front::SetControlText(Control("txt_poi"), "");
        const HWND main = window->Handle();
        if (row.way == Way::ClickOnQuit) {
            ::PostMessageW(Control("cmd_quit"), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(4, 4));
            ::PostMessageW(Control("cmd_quit"), WM_LBUTTONUP, 0, MAKELPARAM(4, 4));
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
        EXPECT_EQ(runtime->boxes, Boxes{}) << row.name;
    }
}

}  // namespace
