#pragma once
// The window `Main` on the plain Windows API, built from the layout table at the screen's
// dots per inch; its events go to the handlers of module Main, each inside the event guard.

#include <array>
#include <memory>
#include <string_view>

#include "core/controls/controls.h"
#include "platform/win32/windows_api.h"
#include "resources/main_layout.h"
#include "win32/dpi_scaling.h"
#include "win32/win32_controls.h"

namespace win32front {

class MainWindow {
public:
    MainWindow(HINSTANCE instance, int dpi);
    ~MainWindow();
    MainWindow(const MainWindow&) = delete;
    MainWindow& operator=(const MainWindow&) = delete;

    // Installs the controls for the core and runs Form_Load; call before the first show.
    void Load();
    // Shows the window with the focus on txt_poi.
    void Show(int showCommand);

    HWND Handle() const { return window_; }
    // The control of the layout table with that name; nullptr for an unknown name.
    HWND Control(std::string_view name) const;

private:
    struct Font {
        HFONT handle = nullptr;
        ~Font();
    };

    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM w, LPARAM l);
    LRESULT OnMessage(UINT message, WPARAM w, LPARAM l);
    void CreateControls(HINSTANCE instance);
    HBRUSH TextColours(HDC context, HWND edit) const;
    void Command(HWND control, int notification);
    void RememberFocus(WPARAM activation);

    Scale scale_;
    HWND window_ = nullptr;
    HWND focus_ = nullptr;  // the control that had the focus when the window was left
    Font windowFont_;
    Font statusFont_;

    std::unique_ptr<Win32TextBox> poiBox_;
    std::unique_ptr<Win32TextBox> sdBox_;
    std::unique_ptr<Win32Label> navmanLabel_;
    std::unique_ptr<Win32Label> activeLabel_;
    std::unique_ptr<Win32Button> startButton_;
    std::unique_ptr<Win32Form> form_;
    std::unique_ptr<controls::MainControls> controls_;
};

}  // namespace win32front
