#include "core/main/main_form.h"

#include <gtest/gtest.h>

#include <optional>

#include "core/vbreg/registry_keys.h"
#include "core/vbreg/registry_strings.h"
#include "support/fake_controls.h"
#include "support/scripted_runtime.h"
#include "support/test_environment.h"

namespace {

constexpr const char* kMarker = "unbekannt!";

class MainFormTest : public testsupport::IsolatedTest {
protected:
    std::string Stored(const std::string& name) {
        std::int16_t flag = 0;
        return vbreg::ReadRegString(vbreg::HKEY_LOCAL_MACHINE, vbreg::kSettingsKey, name, flag);
    }

    testsupport::ScriptedRuntime runtime;
    testsupport::FakeMainWindow window;
};

// A path field is marked red only when empty or holding the marker itself; the button is
// enabled only when no display shows the marker. No NavMan entry shows an empty caption.
TEST_F(MainFormTest, LoadMarksUnsetFieldsAndSettlesTheInstallButton) {
    const auto none = std::nullopt;
    const struct {
        const char* name;
        std::optional<std::string> navman;  // nullopt: NavMan not installed
        const char* poi;
        const char* sd;
        std::string poiShown;
        std::uint32_t poiColour;
        bool enabled;
    } rows[] = {
        {.name = "all_set",
         .navman = none,
         .poi = "/p/",
         .sd = "/s/",
         .poiShown = "/p/",
         .poiColour = controls::kBlack,
         .enabled = true},
        {.name = "navman_marker",
         .navman = kMarker,
         .poi = "/p/",
         .sd = "/s/",
         .poiShown = "/p/",
         .poiColour = controls::kBlack,
         .enabled = false},
        {.name = "navman_empty",
         .navman = "",
         .poi = "/p/",
         .sd = "/s/",
         .poiShown = "/p/",
         .poiColour = controls::kBlack,
         .enabled = true},
        {.name = "poi_empty",
         .navman = "/nav",
         .poi = "",
         .sd = "/s/",
         .poiShown = kMarker,
         .poiColour = controls::kRed,
         .enabled = false},
        {.name = "poi_marker",
         .navman = none,
         .poi = kMarker,
         .sd = "/s/",
         .poiShown = kMarker,
         .poiColour = controls::kRed,
         .enabled = false},
        {.name = "sd_empty",
         .navman = none,
         .poi = "/p/",
         .sd = "",
         .poiShown = "/p/",
         .poiColour = controls::kBlack,
         .enabled = false},
        {.name = "blank_and_other_case",
         .navman = none,
         .poi = "   ",
         .sd = "Unbekannt!",
         .poiShown = "   ",
         .poiColour = controls::kBlack,
         .enabled = true},
    };
    for (const auto& row : rows) {
        SetUp();
        if (row.navman) vbreg::WriteRegString(vbreg::kNavManKey, "InstallLocation", *row.navman);
        vbreg::WriteRegString(vbreg::kSettingsKey, "Path_POI", row.poi);
        vbreg::WriteRegString(vbreg::kSettingsKey, "Path_SD", row.sd);
        Main::Form_Load(window.form);
        EXPECT_EQ(window.txt_navman.caption, row.navman.value_or("")) << row.name;
        EXPECT_EQ(window.txt_poi.text, row.poiShown) << row.name;
        EXPECT_EQ(window.txt_poi.colour, row.poiColour) << row.name;
        EXPECT_EQ(window.cmd_Start.enabled, row.enabled) << row.name;
        TearDown();
    }
}

TEST_F(MainFormTest, QuitStoresBothFieldsAsShownAndUnloadTheMarker) {
    Main::Form_Load(window.form);
    window.txt_poi.text = "C:/poi";
    EXPECT_THROW(Main::cmd_quit_Click(), runtime::ProgramEnded);
    EXPECT_EQ(Stored("Path_POI"), "C:/poi");
    EXPECT_EQ(Stored("Path_SD"), kMarker);
    int cancel = 0;
    window.txt_sd.text = "";
    EXPECT_THROW(Main::Form_Unload(cancel), runtime::ProgramEnded);
    EXPECT_EQ(cancel, 0);
    EXPECT_EQ(Stored("Path_SD"), "");
}

}  // namespace
