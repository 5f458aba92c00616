#pragma once
// What the core may do with the window's controls. The front end offers its real widgets
// through these; core tests use plain fakes.

#include <cstdint>
#include <string>

namespace controls {

// Colours are 0x00BBGGRR values.
inline constexpr std::uint32_t kBlack = 0;
inline constexpr std::uint32_t kRed = 255;

class TextBox {
public:
    virtual ~TextBox() = default;
    virtual std::string Text() const = 0;
    virtual void SetText(const std::string& text) = 0;
    virtual std::uint32_t ForeColor() const = 0;
    virtual void SetForeColor(std::uint32_t colour) = 0;
};

class Label {
public:
    virtual ~Label() = default;
    virtual std::string Caption() const = 0;
    virtual void SetCaption(const std::string& caption) = 0;
    virtual bool Visible() const = 0;
    virtual void SetVisible(bool visible) = 0;
};

class Button {
public:
    virtual ~Button() = default;
    virtual bool Enabled() const = 0;
    virtual void SetEnabled(bool enabled) = 0;
};

class Form {
public:
    virtual ~Form() = default;
    virtual void SetCaption(const std::string& caption) = 0;
};

// The controls of the window `Main` that the core reaches by name.
struct MainControls {
    TextBox& txt_poi;
    TextBox& txt_sd;
    Label& txt_navman;
    Label& lbl_active;
    Button& cmd_Start;
};

void InstallMainControls(MainControls* controls);
MainControls& Main();

}  // namespace controls
