#include "win32/dpi_scaling.h"

namespace win32front {

namespace {

constexpr int kTwipsPerInch = 1440;
constexpr int kPointsPerInch = 72;

}  // namespace

void DeclareDpiAware() {
    // Looked up, not imported: Windows before Vista lacks it and simply does not scale.
    using DeclareFunction = BOOL(WINAPI*)();
    const HMODULE user = ::GetModuleHandleW(L"user32.dll");
    const auto declare = reinterpret_cast<DeclareFunction>(
        reinterpret_cast<void (*)()>(::GetProcAddress(user, "SetProcessDPIAware")));
    if (declare != nullptr) declare();
}

int ScreenDpi() {
    const HDC screen = ::GetDC(nullptr);
    const int dpi = ::GetDeviceCaps(screen, LOGPIXELSY);
    ::ReleaseDC(nullptr, screen);
    return dpi > 0 ? dpi : USER_DEFAULT_SCREEN_DPI;
}

int Scale::Pixels(int twips) const {
    return ::MulDiv(twips, dpi_, kTwipsPerInch);
}

RECT Scale::Rectangle(int left, int top, int width, int height) const {
    return {Pixels(left), Pixels(top), Pixels(left + width), Pixels(top + height)};
}

RECT Scale::Rectangle(const layout::ControlEntry& control) const {
    return Rectangle(control.left, control.top, control.width, control.height);
}

int Scale::FontHeight(int points) const {
    return -::MulDiv(points, dpi_, kPointsPerInch);
}

}  // namespace win32front
