#include "core/main/main_form.h"

#include <gtest/gtest.h>

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
    void Store(const std::string& key, const std::string& name, const std::string& value) {
        ASSERT_EQ(vbreg::WriteRegString(key, name, value), 0);
    }

    testsupport::ScriptedRuntime runtime;
    testsupport::FakeMainWindow window;
};

TEST_F(MainFormTest, LoadSettlesTheInstallButtonFromAllThreeDisplays) {
    struct Case {
        const char* navman;  // nullptr: NavMan not installed
        const char* poi;
        const char* sd;
        bool enabled;
    };
    const Case cases[] = {
        {nullptr, "/poi/", "/sd/", true},    {"/opt/navman", "/poi/", "/sd/", true},
        {kMarker, "/poi/", "/sd/", false},   {"", "/poi/", "/sd/", true},
        {"/opt/navman", "/poi/", "", false}, {nullptr, kMarker, "/sd/", false},
        {nullptr, "   ", "Unbekannt!", true}};
    for (const auto& c : cases) {
        SetUp();
        if (c.navman != nullptr) Store(vbreg::kNavManKey, "InstallLocation", c.navman);
        Store(vbreg::kSettingsKey, "Path_POI", c.poi);
        Store(vbreg::kSettingsKey, "Path_SD", c.sd);
        Main::Form_Load(window.form);
        EXPECT_EQ(window.txt_navman.caption, c.navman == nullptr ? "" : c.navman);
        EXPECT_EQ(window.cmd_Start.enabled, c.enabled) << c.poi << "|" << c.sd;
        TearDown();
    }
}

TEST_F(MainFormTest, QuitStoresBothFieldsAsShown) {
    Main::Form_Load(window.form);
    window.txt_poi.text = "C:/poi";
    window.txt_sd.text = "";
    EXPECT_THROW(Main::cmd_quit_Click(), runtime::ProgramEnded);
    EXPECT_EQ(Stored("Path_POI"), "C:/poi");
    EXPECT_EQ(Stored("Path_SD"), "");
}

TEST_F(MainFormTest, UnloadStoresTheMarkerOfAnUnsetField) {
    Main::Form_Load(window.form);
    int cancel = 0;
    EXPECT_THROW(Main::Form_Unload(cancel), runtime::ProgramEnded);
    EXPECT_EQ(cancel, 0);
    EXPECT_EQ(Stored("Path_SD"), kMarker);
}

}  // namespace
