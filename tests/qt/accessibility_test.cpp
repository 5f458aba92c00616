#include <gtest/gtest.h>

#include <QAccessible>

#include "qt/window_fixture.h"
#include "resources/main_layout.h"

namespace {

using testsupport::WindowTest;

struct SpokenRow {
    const char* control;
    const char* name;
    QAccessible::Role role;
};

std::string Spoken(QWidget* control, QAccessible::Text text) {
    const QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(control);
    return accessible ? accessible->text(text).toStdString() : "";
}

// What a screen reader says: "Pfad POI Daten, Eingabefeld" for the field of that row.
TEST_F(WindowTest, EveryControlHasANameAndADescriptionForScreenReaders) {
    Store(vbreg::kNavManKey, "InstallLocation", "/opt/navman");
    StartProgram();
    // clang-format off
    const SpokenRow rows[] = {
        {.control = "lbl_navman", .name = "Pfad NavMan:",       .role = QAccessible::StaticText},
        {.control = "txt_navman", .name = "/opt/navman",        .role = QAccessible::StaticText},
        {.control = "lbl_poi",    .name = "Pfad POI Daten:",    .role = QAccessible::StaticText},
        {.control = "txt_poi",    .name = "Pfad POI Daten",     .role = QAccessible::EditableText},
        {.control = "lbl_sd",     .name = "Pfad zur SD Karte:", .role = QAccessible::StaticText},
        {.control = "txt_sd",     .name = "Pfad zur SD Karte",  .role = QAccessible::EditableText},
        {.control = "cmd_Start",  .name = "Installieren",       .role = QAccessible::Button},
        {.control = "cmd_quit",   .name = "Beenden",            .role = QAccessible::Button},
    };
    // clang-format on
    for (const SpokenRow& row : rows) {
        QWidget* control = window_->Control(row.control);
        EXPECT_EQ(Spoken(control, QAccessible::Name), row.name) << row.control;
        EXPECT_EQ(QAccessible::queryAccessibleInterface(control)->role(), row.role) << row.control;
    }
    for (const auto& entry : layout::kMainControls)
        EXPECT_NE(Spoken(window_->Control(entry.name), QAccessible::Description), "") << entry.name;
}

}  // namespace
