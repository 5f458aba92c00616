#include <gtest/gtest.h>

#include <QAccessible>

#include "qt/window_fixture.h"

namespace {

using testsupport::WindowTest;

struct SpokenRow {
    const char* control;
    const char* name;
};

std::string Spoken(QWidget* control, QAccessible::Text text) {
    const QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(control);
    return accessible ? accessible->text(text).toStdString() : "";
}

// What a screen reader says before the control's kind: for a field, its row's label (a label
// and a button are named by their own text).
TEST_F(WindowTest, EveryControlHasANameForScreenReaders) {
    Store(vbreg::kNavManKey, "InstallLocation", "/opt/navman");
    StartProgram();
    // clang-format off
    const SpokenRow rows[] = {
        {.control = "txt_navman", .name = "/opt/navman"},
        {.control = "txt_poi",    .name = "Pfad POI Daten"},
        {.control = "txt_sd",     .name = "Pfad zur SD Karte"},
        {.control = "cmd_Start",  .name = "Installieren"},
        {.control = "cmd_quit",   .name = "Beenden"},
    };
    // clang-format on
    for (const SpokenRow& row : rows) {
        QWidget* control = window_->Control(row.control);
        EXPECT_EQ(Spoken(control, QAccessible::Name), row.name) << row.control;
    }
}

}  // namespace
