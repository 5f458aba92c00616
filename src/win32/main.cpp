// The Windows program: the window `Main` and its message loop. It ends in ExitProcess, from
// SaveAndQuit or an error report, never by leaving the loop.
#include "platform/win32/windows_api.h"
#include "win32/dpi_scaling.h"
#include "win32/main_window.h"
#include "win32/win32_runtime.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand) {
    win32front::DeclareDpiAware();
    win32front::Win32Runtime runtime;
    win32front::MainWindow window(instance, win32front::ScreenDpi());
    runtime.SetMainWindow(window.Handle());
    window.Load();
    window.Show(showCommand);
    MSG message;
    while (::GetMessageW(&message, nullptr, 0, 0) > 0) {
        runtime.Dispatch(message);
    }
    return 0;
}
