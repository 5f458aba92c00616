#include "core/main/main_form.h"

#include <gtest/gtest.h>

#include <optional>

#include "support/install_fixture.h"

namespace {

constexpr const char* kMarker = "unbekannt!";

using MainFormTest = testsupport::InstallTest;

// A path field turns red with the marker only when empty or holding the marker itself; the
// button is enabled only when no display shows the marker. No NavMan entry shows nothing.
TEST_F(MainFormTest, LoadMarksUnsetFieldsAndSettlesTheInstallButton) {
    // NavMan's folder if installed, the stored folders, the fields after the check, and whether
    // the Install button is on.
    const char *const M = kMarker, *const P = "/p/", *const S = "/s/", *const U = "Unbekannt!";
    // clang-format off
    struct Row { const char* name; std::optional<std::string> nav = {};
                 const char *poi, *sd, *poiNow, *sdNow; bool on = false; };
    const Row rows[] = {
        {.name = "navman_marker", .nav = M, .poi = P, .sd = S, .poiNow = P, .sdNow = S},
        {.name = "marker_kept", .poi = M, .sd = S, .poiNow = M, .sdNow = S},
        {.name = "blank_kept", .poi = "   ", .sd = S, .poiNow = "   ", .sdNow = S, .on = true},
        {.name = "other_case", .poi = P, .sd = U, .poiNow = P, .sdNow = U, .on = true},
    };
    // clang-format on
    const auto colour = [](const std::string& shown) {
        return shown == kMarker ? controls::kRed : controls::kBlack;
    };
    for (const Row& row : rows) {
        SetUp();
        if (row.nav) vbreg::WriteRegString(vbreg::kNavManKey, "InstallLocation", *row.nav);
        vbreg::WriteRegString(vbreg::kSettingsKey, "Path_POI", row.poi);
        vbreg::WriteRegString(vbreg::kSettingsKey, "Path_SD", row.sd);
        Main::Form_Load(window.form);
        EXPECT_FALSE(window.lbl_active.visible) << row.name;
        EXPECT_EQ(window.txt_navman.caption, row.nav.value_or("")) << row.name;
        EXPECT_EQ(window.txt_poi.text, row.poiNow) << row.name;
        EXPECT_EQ(window.txt_sd.text, row.sdNow) << row.name;
        EXPECT_EQ(window.txt_poi.colour, colour(row.poiNow)) << row.name;
        EXPECT_EQ(window.txt_sd.colour, colour(row.sdNow)) << row.name;
        EXPECT_EQ(window.cmd_Start.enabled, row.on) << row.name;
        TearDown();
    }
}

}  // namespace
