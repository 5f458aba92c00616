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

TEST_F(MainFormTest, LoadSettlesTheInstallButtonFromAllThreeDisplays) {
    const struct {
        const char* name;
        std::optional<std::string> navman;  // nullopt: NavMan not installed
        const char* poi;
        const char* sd;
        bool enabled;
    } rows[] = {
        {.name = "navman_missing",
         .navman = std::nullopt,
         .poi = "/p/",
         .sd = "/s/",
         .enabled = true},
        {.name = "navman_marker", .navman = kMarker, .poi = "/p/", .sd = "/s/", .enabled = false},
        {.name = "navman_empty", .navman = "", .poi = "/p/", .sd = "/s/", .enabled = true},
        {.name = "sd_empty", .navman = "/opt/nav", .poi = "/p/", .sd = "", .enabled = false},
        {.name = "poi_marker",
         .navman = std::nullopt,
         .poi = kMarker,
         .sd = "/s/",
         .enabled = false},
        {.name = "blank_and_other_case",
         .navman = std::nullopt,
         .poi = "   ",
         .sd = "Unbekannt!",
         .enabled = true},
    };
    for (const auto& row : rows) {
        SetUp();
        if (row.navman) vbreg::WriteRegString(vbreg::kNavManKey, "InstallLocation", *row.navman);
        vbreg::WriteRegString(vbreg::kSettingsKey, "Path_POI", row.poi);
        vbreg::WriteRegString(vbreg::kSettingsKey, "Path_SD", row.sd);
        Main::Form_Load(window.form);
        EXPECT_EQ(window.txt_navman.caption, row.navman.value_or("")) << row.name;
        EXPECT_EQ(window.cmd_Start.enabled, row.enabled) << row.name;
        TearDown();
    }
}

TEST_F(MainFormTest, QuitStoresBothFieldsAsShownPoiFirstAndUnloadTheMarker) {
    Main::Form_Load(window.form);
    window.txt_poi.text = "C:/poi";
    EXPECT_THROW(Main::cmd_quit_Click(), runtime::ProgramEnded);
    EXPECT_EQ(Stored("Path_POI"), "C:/poi");
    EXPECT_EQ(Stored("Path_SD"), kMarker);
    const std::string hive = testsupport::ReadFile(HivePath());
    EXPECT_LT(hive.find("Path_POI"), hive.find("Path_SD"));
    int cancel = 0;
    window.txt_sd.text = "";
    EXPECT_THROW(Main::Form_Unload(cancel), runtime::ProgramEnded);
    EXPECT_EQ(cancel, 0);
    EXPECT_EQ(Stored("Path_SD"), "");
}

}  // namespace
