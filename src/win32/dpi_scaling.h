#pragma once
// Twips and points on the screen at hand. The program tells Windows that it scales itself, so
// at 150 % it is drawn sharp at its full size instead of stretched from 96 dpi.

#include "platform/win32/windows_api.h"
#include "resources/main_layout.h"

namespace win32front {

// Before the first window: Windows asks a process only once.
void DeclareDpiAware();

// The screen's dots per inch: 96 at 100 %, 144 at 150 %.
int ScreenDpi();

class Scale {
public:
    explicit Scale(int dpi) : dpi_(dpi) {}
    int Dpi() const { return dpi_; }

    int Pixels(int twips) const;
    // Both edges scaled, so that neighbours meet where the table makes them meet.
    RECT Rectangle(int left, int top, int width, int height) const;
    RECT Rectangle(const layout::ControlEntry& control) const;
    // A font's character height in pixels, negative as CreateFont takes it.
    int FontHeight(int points) const;

private:
    int dpi_;
};

}  // namespace win32front
