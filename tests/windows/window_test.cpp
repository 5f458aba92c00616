// The Windows window itself, under Wine on a virtual display: its layout at 100 % and 150 %,
// the first start, the dialog keys, LostFocus, Windows' own message boxes and the ways out.
// Keys and clicks are posted to the thread's queue and go through the program's own message
// handling; the boxes are real and are looked at and answered from a timer while they show.
#include <gtest/gtest.h>

#include <array>
#include <cstdlib>
#include <string>
#include <vector>

#include "core/runtime/event_handler.h"
#include "core/vbreg/registry_keys.h"
#include "core/vbreg/registry_strings.h"
#include "platform/win32/text_conversion.h"
#include "resources/main_layout.h"
#include "support/test_environment.h"
#include "win32/dpi_scaling.h"
#include "win32/main_window.h"
#include "win32/win32_runtime.h"

namespace {

using Edges = std::array<long, 4>;
using Texts = std::vector<std::string>;

constexpr const char* kMarker = "unbekannt!";
constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr LPARAM kRepeated = LPARAM{1} << 30;
constexpr LPARAM kKeypad = LPARAM{1} << 24;

struct SeenBox {
    std::string title;
    std::string text;
    Texts buttons;
    bool ownedByWindow = false;
    bool hadFocus = false;
};

// Windows' own boxes, answered "Nein" or "OK"; the end of the program is thrown instead.
class AnsweringRuntime : public win32front::Win32Runtime {
public:
    explicit AnsweringRuntime(HWND window) : window_(window) {
        SetMainWindow(window);
        current = this;
    }
    ~AnsweringRuntime() override { current = nullptr; }

    int MsgBox(const runtime::ShownBox& box) override {
        const UINT_PTR timer = ::SetTimer(nullptr, 0, 20, &LookAndAnswer);
        const int answer = Win32Runtime::MsgBox(box);
        ::KillTimer(nullptr, timer);
        return answer;
    }
    [[noreturn]] void EndProgram() override {
        ended_ = true;
        throw runtime::ProgramEnded{};
    }
    bool Ended() const override { return ended_; }

    std::vector<SeenBox> boxes;

private:
    static BOOL CALLBACK Collect(HWND control, LPARAM seen) {
        auto& box = *reinterpret_cast<SeenBox*>(seen);
        wchar_t kind[16] = {};
        ::GetClassNameW(control, kind, 16);
        const std::string text = win32front::ControlText(control);
        if (::_wcsicmp(kind, L"Button") == 0) box.buttons.push_back(text);
        if (::_wcsicmp(kind, L"Static") == 0 && !text.empty()) box.text = text;
        return TRUE;
    }

    static void CALLBACK LookAndAnswer(HWND, UINT, UINT_PTR, DWORD) {
        const HWND box = ::FindWindowW(L"#32770", L"Marquill");
        if (current == nullptr || box == nullptr) return;  // not up yet
        SeenBox seen{.title = win32front::ControlText(box),
                     .text = {},
                     .buttons = {},
                     .ownedByWindow = ::GetWindow(box, GW_OWNER) == current->window_,
                     .hadFocus = ::IsChild(box, ::GetFocus()) != FALSE};
        ::EnumChildWindows(box, &Collect, reinterpret_cast<LPARAM>(&seen));
        current->boxes.push_back(seen);
        const int answer = ::GetDlgItem(box, IDNO) != nullptr ? IDNO : IDOK;
        ::PostMessageW(box, WM_COMMAND, MAKEWPARAM(answer, BN_CLICKED), 0);
    }

    static inline AnsweringRuntime* current = nullptr;
    HWND window_;
    bool ended_ = false;
};

class Win32Window : public testsupport::IsolatedTest {
protected:
    void TearDown() override {
        Close();
        IsolatedTest::TearDown();
    }

    void Start(int dpi = 96) {
        Close();
        window = std::make_unique<win32front::MainWindow>(::GetModuleHandleW(nullptr), dpi);
        runtime = std::make_unique<AnsweringRuntime>(window->Handle());
        window->Load();
        window->Show(SW_SHOWNORMAL);
        Pump();
    }
    void Close() {
        window.reset();
        runtime.reset();
    }

    void StoreFolders(const std::string& poi, const std::string& sd) {
        ASSERT_EQ(vbreg::WriteRegString(vbreg::kSettingsKey, "Path_POI", poi), 0);
        ASSERT_EQ(vbreg::WriteRegString(vbreg::kSettingsKey, "Path_SD", sd), 0);
    }
    std::string Stored(const std::string& name) {
        std::int16_t flag = 0;
        return vbreg::ReadRegString(vbreg::HKEY_LOCAL_MACHINE, vbreg::kSettingsKey, name, flag);
    }

    HWND Control(const char* name) const { return window->Control(name); }
    std::string Text(const char* name) const { return win32front::ControlText(Control(name)); }
    bool Enabled(const char* name) const { return ::IsWindowEnabled(Control(name)) != FALSE; }

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

    // Place in the window's client area.
    Edges Place(const char* name) const {
        RECT place;
        ::GetWindowRect(Control(name), &place);
        ::MapWindowPoints(nullptr, window->Handle(), reinterpret_cast<POINT*>(&place), 2);
        return {place.left, place.top, place.right, place.bottom};
    }

    void Pump() {
        for (int i = 0; i < 4; ++i) {
            runtime->DoEvents();
            ::Sleep(5);
        }
    }
    void Key(UINT key, LPARAM flags = 0, bool shift = false) {
        BYTE keys[256];
        ::GetKeyboardState(keys);
        keys[VK_SHIFT] = shift ? 0x80 : 0;
        ::SetKeyboardState(keys);
        const HWND focus = ::GetFocus();
        ::PostMessageW(focus, WM_KEYDOWN, key, 1 | flags);
        ::PostMessageW(focus, WM_KEYUP, key, 1 | flags | (LPARAM{3} << 30));
        Pump();
        keys[VK_SHIFT] = 0;
        ::SetKeyboardState(keys);
    }
    void Type(const std::string& text) {
        for (const wchar_t c : platform::win32::Utf16FromUtf8(text)) {
            ::PostMessageW(::GetFocus(), WM_CHAR, c, 1);
        }
        Pump();
    }
    void Clear(const char* name) {
        ::SendMessageW(Control(name), EM_SETSEL, 0, -1);
        Key(VK_DELETE);
    }
    void Click(const char* name) {
        RECT inside;
        ::GetClientRect(Control(name), &inside);
        const LPARAM at = MAKELPARAM(inside.right / 2, inside.bottom / 2);
        ::PostMessageW(Control(name), WM_LBUTTONDOWN, MK_LBUTTON, at);
        ::PostMessageW(Control(name), WM_LBUTTONUP, 0, at);
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

// The icon as the program's resource holds it (the window's is scaled to the screen).
std::array<long, 2> IconSize() {
    const auto resource = static_cast<HICON>(
        ::LoadImageW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(1), IMAGE_ICON, 0, 0, 0));
    ICONINFO icon{};
    if (resource == nullptr || !::GetIconInfo(resource, &icon)) return {0, 0};
    ::DestroyIcon(resource);
    BITMAP mask{};
    ::GetObjectW(icon.hbmMask, sizeof mask, &mask);
    ::DeleteObject(icon.hbmMask);
    if (icon.hbmColor != nullptr) ::DeleteObject(icon.hbmColor);
    return {mask.bmWidth, mask.bmHeight};
}

// CTest sets the virtual screen to 150 % (LogPixels 144).
TEST(Win32Screen, TheProgramTakesTheScreensDotsPerInch) {
    const char* expected = std::getenv("MARQUILL_EXPECTED_DPI");
    if (expected == nullptr) GTEST_SKIP() << "MARQUILL_EXPECTED_DPI not set";
    EXPECT_EQ(win32front::ScreenDpi(), std::atoi(expected));
}

struct ScaleRow {
    const char* name;
    int dpi;
    Edges client;
    Edges quit;
};

// At 150 % every control keeps its share of the window, and its text still fits; the first
// start marks both fields and leaves "Installieren" disabled.
TEST_F(Win32Window, FirstStartLaysOutTheTableAtTheScreensScale) {
    const ScaleRow rows[] = {
        {.name = "100 %", .dpi = 96, .client = {0, 0, 590, 255}, .quit = {424, 216, 577, 241}},
        {.name = "150 %", .dpi = 144, .client = {0, 0, 885, 383}, .quit = {636, 324, 866, 362}},
    };
    std::vector<long> statusTextHeights;
    for (const auto& row : rows) {
        Start(row.dpi);
        const HWND main = window->Handle();
        RECT client;
        ::GetClientRect(main, &client);
        EXPECT_EQ(Edges({client.left, client.top, client.right, client.bottom}), row.client)
            << row.name;
        EXPECT_EQ(Place("cmd_quit"), row.quit) << row.name;
        const double toTable = 96.0 / row.dpi;
        for (const auto& entry : layout::kMainControls) {
            const char* name = entry.name.data();
            const Edges place = Place(name);
            const Edges table = {entry.left, entry.top, entry.left + entry.width,
                                 entry.top + entry.height};
            for (std::size_t edge = 0; edge < 4; ++edge) {
                EXPECT_NEAR(place[edge] * toTable, table[edge] / 15.0, 1.0)
                    << row.name << " " << name << " edge " << edge;
            }
            const SIZE text = TextSize(Control(name), std::string(entry.caption) + "Xg");
            EXPECT_LE(text.cx, place[2] - place[0]) << row.name << " " << name;
            EXPECT_LE(text.cy, place[3] - place[1]) << row.name << " " << name;
            if (entry.kind == layout::ControlKind::CommandButton) {
                EXPECT_EQ(::GetWindowLongW(Control(name), GWL_STYLE) & BS_DEFPUSHBUTTON, 0)
                    << row.name << " " << name;
            }
        }
        statusTextHeights.push_back(TextSize(Control("lbl_active"), "Blitzer").cy);
        EXPECT_EQ(win32front::ControlText(main), "Marquill (200512181907)") << row.name;
        EXPECT_NE(::GetClassLongPtrW(main, GCLP_HICON), 0u) << row.name;
        EXPECT_EQ(::GetWindowLongW(main, GWL_STYLE) & (WS_THICKFRAME | WS_MAXIMIZEBOX), 0)
            << row.name;
        EXPECT_EQ(::GetFocus(), Control("txt_poi")) << row.name;
        EXPECT_FALSE(::IsWindowVisible(Control("lbl_active"))) << row.name;
        for (const char* field : {"txt_poi", "txt_sd"}) {
            EXPECT_EQ(Text(field), kMarker) << row.name << " " << field;
            EXPECT_EQ(TextColour(field), kRed) << row.name << " " << field;
        }
        EXPECT_FALSE(Enabled("cmd_Start")) << row.name;
        EXPECT_EQ(Text("txt_navman"), "") << row.name;
        EXPECT_TRUE(runtime->boxes.empty()) << row.name;
    }
    EXPECT_EQ(IconSize(), (std::array<long, 2>{32, 32}));
    ASSERT_EQ(statusTextHeights.size(), 2u);
    const double grown = static_cast<double>(statusTextHeights[1]) / statusTextHeights[0];
    EXPECT_NEAR(grown, 1.5, 0.2) << statusTextHeights[0] << " -> " << statusTextHeights[1];
}

struct TabRow {
    const char* name;
    std::string storedPoi;
    bool shift;
    Texts visits;
};

TEST_F(Win32Window, TabAndShiftTabFollowTheTableAndSkipADisabledButton) {
    // clang-format off
    const TabRow rows[] = {
        {.name = "Tab", .storedPoi = "C:\\POI\\", .shift = false,
         .visits = {"txt_sd", "cmd_Start", "cmd_quit", "txt_poi"}},
        {.name = "Shift+Tab", .storedPoi = "C:\\POI\\", .shift = true,
         .visits = {"cmd_quit", "cmd_Start", "txt_sd", "txt_poi"}},
        {.name = "Installieren disabled", .storedPoi = "", .shift = false,
         .visits = {"txt_sd", "cmd_quit", "txt_poi"}},
    };
    // clang-format on
    for (const auto& row : rows) {
        StoreFolders(row.storedPoi, "C:\\SD\\");
        Start();
        for (const auto& next : row.visits) {
            Key(VK_TAB, 0, row.shift);
            EXPECT_EQ(::GetFocus(), Control(next.c_str())) << row.name << " to " << next;
        }
    }
}

enum class Leave { ByTab, ByClick, NotAtAll };

struct LeavingRow {
    const char* name;
    std::string storedPoi;
    std::string typed;
    Leave leave;
    std::string shown;
    COLORREF colour;
    bool installEnabled;
};

TEST_F(Win32Window, LeavingAFieldForAnotherControlChecksIt) {
    // clang-format off
    const LeavingRow rows[] = {
        {.name = "cleared, Tab", .storedPoi = "C:\\POI\\", .typed = "", .leave = Leave::ByTab,
         .shown = kMarker, .colour = kRed, .installEnabled = false},
        {.name = "cleared, click elsewhere", .storedPoi = "C:\\POI\\", .typed = "",
         .leave = Leave::ByClick, .shown = kMarker, .colour = kRed, .installEnabled = false},
        {.name = "capital marker, Tab", .storedPoi = "", .typed = "Unbekannt!",
         .leave = Leave::ByTab, .shown = "Unbekannt!", .colour = kBlack, .installEnabled = true},
        {.name = "typed, not left", .storedPoi = "", .typed = "C:\\Daten für Wien",
         .leave = Leave::NotAtAll, .shown = "C:\\Daten für Wien", .colour = kRed,
         .installEnabled = false},
    };
    // clang-format on
    for (const auto& row : rows) {
        StoreFolders(row.storedPoi, "C:\\SD\\");
        Start();
        Clear("txt_poi");
        Type(row.typed);
        if (row.leave == Leave::ByTab) Key(VK_TAB);
        if (row.leave == Leave::ByClick) Click("txt_sd");
        EXPECT_EQ(Text("txt_poi"), row.shown) << row.name;
        EXPECT_EQ(TextColour("txt_poi"), row.colour) << row.name;
        EXPECT_EQ(Enabled("cmd_Start"), row.installEnabled) << row.name;
    }
}

struct BoxRow {
    const char* name;
    void (*show)();
    std::string text;
    Texts buttons;
    bool ends;
};

// A box takes the focus from the field without checking it, and gives it back; its buttons
// are Windows' own, in the system's language (CTest runs this under German).
TEST_F(Win32Window, MessageBoxesAreWindowsOwnAndTakeNoLostFocus) {
    // clang-format off
    const BoxRow rows[] = {
        {.name = "overwrite question",
         .show = [] { runtime::MsgBox("Im Zielverzeichnis liegen Daten,\r\nsollen diese überschrieben werden?",
                                      runtime::vbYesNo + runtime::vbQuestion); },
         .text = "Im Zielverzeichnis liegen Daten,\r\nsollen diese überschrieben werden?",
         .buttons = {"&Ja", "&Nein"},
         .ends = false},
        {.name = "runtime error",
         .show = [] { runtime::RunEventHandler([] { throw runtime::RuntimeError(52); }); },
         .text = "Laufzeitfehler '52':\r\n\r\nUngültiger Dateiname",
         .buttons = {"OK"},
         .ends = true},
    };
    // clang-format on
    for (const auto& row : rows) {
        StoreFolders("C:\\POI\\", "C:\\SD\\");
        Start();
        Clear("txt_poi");
        row.show();
        Pump();
        ASSERT_EQ(runtime->boxes.size(), 1u) << row.name;
        const SeenBox& box = runtime->boxes.front();
        EXPECT_EQ(box.title, "Marquill") << row.name;
        EXPECT_EQ(box.text, row.text) << row.name;
        EXPECT_EQ(box.buttons, row.buttons) << row.name;
        EXPECT_TRUE(box.ownedByWindow) << row.name;
        EXPECT_TRUE(box.hadFocus) << row.name;
        EXPECT_EQ(runtime->Ended(), row.ends) << row.name;
        EXPECT_EQ(::GetFocus(), Control("txt_poi")) << row.name;
        EXPECT_EQ(Text("txt_poi"), "") << row.name;
    }
}

enum class Way { Key, Click, CloseBox, Shutdown };

struct WayOutRow {
    const char* name;
    Way way;
    const char* focus;
    UINT key;
    LPARAM flags;
    bool ends;
    std::string storedPoi;
};

// A cleared field: Beenden takes the focus first, so its check runs before the store; the close
// box and the end of the session move no focus and store what the field shows. Enter presses
// only the focused button, once; Escape cancels nothing. After the end no handler runs.
TEST_F(Win32Window, EveryWayOutStoresTheFieldsAsTheyAreThen) {
    // clang-format off
    const WayOutRow rows[] = {
        {.name = "click on Beenden", .way = Way::Click, .focus = "cmd_quit", .key = 0, .flags = 0,
         .ends = true, .storedPoi = kMarker},
        {.name = "Enter on Beenden", .way = Way::Key, .focus = "cmd_quit", .key = VK_RETURN,
         .flags = 0, .ends = true, .storedPoi = kMarker},
        {.name = "keypad Enter", .way = Way::Key, .focus = "cmd_quit", .key = VK_RETURN,
         .flags = kKeypad, .ends = true, .storedPoi = kMarker},
        {.name = "Space on Beenden", .way = Way::Key, .focus = "cmd_quit", .key = VK_SPACE,
         .flags = 0, .ends = true, .storedPoi = kMarker},
        {.name = "held Enter on Beenden", .way = Way::Key, .focus = "cmd_quit", .key = VK_RETURN,
         .flags = kRepeated, .ends = false, .storedPoi = "C:\\POI\\"},
        {.name = "Escape on Beenden", .way = Way::Key, .focus = "cmd_quit", .key = VK_ESCAPE,
         .flags = 0, .ends = false, .storedPoi = "C:\\POI\\"},
        {.name = "Enter in the field", .way = Way::Key, .focus = "txt_poi", .key = VK_RETURN,
         .flags = 0, .ends = false, .storedPoi = "C:\\POI\\"},
        {.name = "close box", .way = Way::CloseBox, .focus = "txt_poi", .key = 0, .flags = 0,
         .ends = true, .storedPoi = ""},
        {.name = "end of session", .way = Way::Shutdown, .focus = "txt_poi", .key = 0, .flags = 0,
         .ends = true, .storedPoi = ""},
    };
    // clang-format on
    for (const auto& row : rows) {
        StoreFolders("C:\\POI\\", "C:\\SD\\");
        Start();
        Clear("txt_poi");
        const HWND main = window->Handle();
        if (row.way == Way::Click) Click(row.focus);
        if (row.way == Way::Key) {
            ::SetFocus(Control(row.focus));
            Key(row.key, row.flags);
        }
        if (row.way == Way::CloseBox) ::PostMessageW(main, WM_SYSCOMMAND, SC_CLOSE, 0);
        if (row.way == Way::Shutdown) {
            EXPECT_EQ(::SendMessageW(main, WM_QUERYENDSESSION, 0, 0), TRUE) << row.name;
            ::SendMessageW(main, WM_ENDSESSION, TRUE, 0);
        }
        Pump();
        EXPECT_EQ(runtime->Ended(), row.ends) << row.name;
        EXPECT_EQ(Stored("Path_POI"), row.storedPoi) << row.name;
        EXPECT_TRUE(runtime->boxes.empty()) << row.name;
        if (!row.ends) continue;
        ::SetWindowTextW(Control("txt_sd"), L"typed after the end");
        ::PostMessageW(main, WM_SYSCOMMAND, SC_CLOSE, 0);
        Pump();
        EXPECT_EQ(Stored("Path_SD"), "C:\\SD\\") << row.name;
    }
}

}  // namespace
