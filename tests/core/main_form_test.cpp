#include "core/main/main_form.h"

#include <gtest/gtest.h>

#include "core/install/install.h"
#include "core/utils/utils.h"
#include "core/vbreg/vbreg.h"
#include "support/fake_controls.h"
#include "support/scripted_runtime.h"
#include "support/test_environment.h"

namespace {

using testsupport::FakeMainWindow;
using testsupport::IsolatedTest;
using testsupport::ScriptedRuntime;

constexpr const char* kMarker = "unbekannt!";

class MainFormTest : public IsolatedTest {
protected:
    std::string Stored(const std::string& name) {
        std::int16_t flag = 0;
        return vbreg::ReadRegString(vbreg::HKEY_LOCAL_MACHINE, Install::kSettingsKey, name, flag);
    }
    void Store(const std::string& key, const std::string& name, const std::string& value) {
        ASSERT_EQ(vbreg::WriteRegString(key, name, value), 0);
    }

    ScriptedRuntime runtime;
    FakeMainWindow window;
};

TEST_F(MainFormTest, FirstStartWithoutAnyStoredFolder) {
    Main::Form_Load(window.form);
    EXPECT_EQ(window.form.caption, "Marquill (200512181907)");
    EXPECT_FALSE(window.lbl_active.visible);
    EXPECT_EQ(window.txt_navman.caption, "");
    EXPECT_EQ(window.txt_poi.text, kMarker);
    EXPECT_EQ(window.txt_sd.text, kMarker);
    EXPECT_EQ(window.txt_poi.colour, controls::kRed);
    EXPECT_EQ(window.txt_sd.colour, controls::kRed);
    EXPECT_FALSE(window.cmd_Start.enabled);
    EXPECT_TRUE(runtime.Boxes().empty());
}

struct LoadCase {
    const char* name;
    const char* navman;  // nullptr: NavMan not installed
    const char* poi;
    const char* sd;
    bool installEnabled;
};

class FormLoadCases : public MainFormTest, public ::testing::WithParamInterface<LoadCase> {};

TEST_P(FormLoadCases, SettlesTheInstallButtonFromAllThreeDisplays) {
    const LoadCase& c = GetParam();
    if (c.navman != nullptr) Store(Main::kNavManKey, "InstallLocation", c.navman);
    Store(Install::kSettingsKey, "Path_POI", c.poi);
    Store(Install::kSettingsKey, "Path_SD", c.sd);
    Main::Form_Load(window.form);
    EXPECT_EQ(window.txt_navman.caption, c.navman == nullptr ? "" : c.navman);
    EXPECT_EQ(window.cmd_Start.enabled, c.installEnabled);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FormLoadCases,
    ::testing::Values(LoadCase{"both_set_navman_missing", nullptr, "/poi/", "/sd/", true},
                      LoadCase{"navman_set", "/opt/navman", "/poi/", "/sd/", true},
                      LoadCase{"navman_is_marker", kMarker, "/poi/", "/sd/", false},
                      LoadCase{"navman_blank", "", "/poi/", "/sd/", true},
                      LoadCase{"sd_empty", "/opt/navman", "/poi/", "", false},
                      LoadCase{"poi_marker", "/opt/navman", kMarker, "/sd/", false},
                      LoadCase{"blanks_count_as_set", nullptr, "   ", "Unbekannt!", true}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(MainFormTest, QuitStoresBothFieldsAsShownPoiFirst) {
    Main::Form_Load(window.form);
    window.txt_poi.text = "C:/poi";
    window.txt_sd.text = "";
    EXPECT_THROW(Main::cmd_quit_Click(), runtime::ProgramEnded);
    EXPECT_EQ(Stored("Path_POI"), "C:/poi");
    EXPECT_EQ(Stored("Path_SD"), "");
    const std::string hive = testsupport::ReadFile(HivePath());
    EXPECT_LT(hive.find("Path_POI"), hive.find("Path_SD"));
}

TEST_F(MainFormTest, UnloadStoresTheMarkerOfAnUnsetField) {
    Main::Form_Load(window.form);
    int cancel = 0;
    EXPECT_THROW(Main::Form_Unload(cancel), runtime::ProgramEnded);
    EXPECT_EQ(cancel, 0);
    EXPECT_EQ(Stored("Path_POI"), kMarker);
    EXPECT_EQ(Stored("Path_SD"), kMarker);
}

TEST_F(MainFormTest, LostFocusHandlersCheckTheirOwnFieldOnly) {
    window.txt_poi.text = "";
    window.txt_sd.text = "";
    Main::txt_sd_LostFocus();
    EXPECT_EQ(window.txt_sd.text, kMarker);
    EXPECT_EQ(window.txt_poi.text, "");
    Main::txt_poi_LostFocus();
    EXPECT_EQ(window.txt_poi.text, kMarker);
}

}  // namespace
