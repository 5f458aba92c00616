#pragma once
// A text as a control shows it. The core's texts are UTF-8, but a stored value may hold the
// 8-bit text of a Windows export. Such a value is shown as that 8-bit text and, while the
// control still shows it unchanged, handed back with exactly the bytes it came with, so a
// folder read that way still names the same folder and is stored back as it was.

#include <string>
#include <string_view>

namespace controls {

// The UTF-8 text that shows `bytes`: the bytes themselves when they are valid UTF-8, else the
// bytes read in the 8-bit code page (Windows-1252 on Linux), the rule of the install list.
std::string ShownForm(std::string_view bytes);

class ShownText {
public:
    // Keeps `bytes` and answers the text to show for them.
    const std::string& Show(std::string bytes);

    // The bytes for what the control shows now: the kept bytes while it shows what Show
    // answered, else the shown text itself.
    std::string BytesFor(const std::string& shown) const;

private:
    std::string bytes_;
    std::string shown_;
};

}  // namespace controls
