#pragma once
// The layout of the window `Main`: the one description every front end builds its controls
// from. Geometry is in twips (1/1440 inch, 15 to a pixel at 96 dpi).

#include <algorithm>
#include <array>
#include <string_view>

namespace layout {

enum class ControlKind { Label, TextBox, CommandButton };
enum class Alignment { Left = 0, Right = 1, Center = 2 };

struct FontStyle {
    std::string_view face;
    int points;
    int weight;
    bool italic;
    bool underline;
    bool strikeout;
    int charset;
};

struct ControlEntry {
    std::string_view name;
    ControlKind kind;
    std::string_view caption;
    int left;
    int top;
    int width;
    int height;
    int tabIndex;
    const FontStyle* font;  // nullptr: the window's default font
    Alignment alignment;
    bool startsHidden;
};

struct WindowEntry {
    std::string_view caption;
    int clientWidth;
    int clientHeight;
};

inline constexpr int kTwipsPerPixel = 15;

inline constexpr WindowEntry kMainWindow{"Marquill", 8850, 3825};

// The window's default font, which every control without a font of its own uses: the
// layout's row heights are made for it.
inline constexpr FontStyle kWindowFont{"MS Sans Serif", 8, 400, false, false, false, 0};
inline constexpr FontStyle kStatusFont{"MS Sans Serif", 18, 400, false, false, false, 0};

// clang-format off
inline constexpr std::array<ControlEntry, 9> kMainControls{{
    {"lbl_navman", ControlKind::Label,         "Pfad NavMan:",       240,  240, 1935, 255, 0, nullptr,      Alignment::Left,   false},
    {"txt_navman", ControlKind::Label,         "",                  2400,  240, 6135, 255, 1, nullptr,      Alignment::Left,   false},
    {"lbl_poi",    ControlKind::Label,         "Pfad POI Daten:",    240,  840, 2055, 255, 2, nullptr,      Alignment::Left,   false},
    {"txt_poi",    ControlKind::TextBox,       "",                  2400,  840, 6255, 285, 3, nullptr,      Alignment::Left,   false},
    {"lbl_sd",     ControlKind::Label,         "Pfad zur SD Karte:", 240, 1320, 2055, 255, 4, nullptr,      Alignment::Left,   false},
    {"txt_sd",     ControlKind::TextBox,       "",                  2400, 1320, 6255, 285, 5, nullptr,      Alignment::Left,   false},
    {"lbl_active", ControlKind::Label,         "",                   240, 1920, 8415, 735, 8, &kStatusFont, Alignment::Center, false},
    {"cmd_Start",  ControlKind::CommandButton, "Installieren",      3840, 3240, 2295, 375, 6, nullptr,      Alignment::Center, false},
    {"cmd_quit",   ControlKind::CommandButton, "Beenden",           6360, 3240, 2295, 375, 7, nullptr,      Alignment::Center, false},
}};
// clang-format on

// What a screen reader says about a control besides its kind: a text box is named by the
// label of its row; labels and buttons by their own caption. Every control says what it is for.
struct AccessibleEntry {
    std::string_view control;
    std::string_view namingLabel;  // empty: the control's own caption names it
    std::string_view description;
};

// clang-format off
inline constexpr std::array<AccessibleEntry, 9> kAccessibleTexts{{
    {"lbl_navman", "",        "Beschriftung des NavMan-Ordners"},
    {"txt_navman", "",        "Ordner der NavMan-Software, aus ihrer Installation gelesen"},
    {"lbl_poi",    "",        "Beschriftung des Ordners mit den POI-Daten"},
    {"txt_poi",    "lbl_poi", "Ordner mit der Installationsliste MARQUILL.CSV und den Kategorien"},
    {"lbl_sd",     "",        "Beschriftung des Ordners der SD-Karte"},
    {"txt_sd",     "lbl_sd",  "Ordner der SD-Karte des Navigationsgeräts"},
    {"lbl_active", "",        "Die Kategorie, die gerade installiert wird"},
    {"cmd_Start",  "",        "Installiert die Kategorien der Liste auf die SD-Karte"},
    {"cmd_quit",   "",        "Speichert beide Ordner und beendet das Programm"},
}};
// clang-format on

// The controls in the order of their tab indexes, which the focus follows past the labels.
constexpr std::array<const ControlEntry*, kMainControls.size()> InTabOrder() {
    std::array<const ControlEntry*, kMainControls.size()> order{};
    for (std::size_t i = 0; i < order.size(); ++i) order[i] = &kMainControls[i];
    std::sort(order.begin(), order.end(),
              [](const auto* a, const auto* b) { return a->tabIndex < b->tabIndex; });
    return order;
}

constexpr int ToPixels(int twips) {
    return twips / kTwipsPerPixel;
}

}  // namespace layout
