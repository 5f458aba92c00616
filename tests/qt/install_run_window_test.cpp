#include <gtest/gtest.h>

#include <filesystem>

#include "core/main/main_form.h"
#include "core/vbreg/registry_keys.h"
#include "qt/window_fixture.h"
#include "support/temp_folder.h"

namespace {

using testsupport::WindowTest;

std::vector<std::string> FilesIn(const std::string& folder) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

TEST_F(WindowTest, InstallsTheDemoWithTheStandInCompiler) {
    testsupport::TempFolder card;
    Store(vbreg::kNavManKey, "InstallLocation", MARQUILL_POICOMPILER_DIR);
    Store(vbreg::kSettingsKey, "Path_POI", MARQUILL_DEMO_DIR);
    Store(vbreg::kSettingsKey, "Path_SD", card.Path());
    StartProgram();
    ASSERT_TRUE(window_->cmd_Start()->isEnabled());

    QTest::mouseClick(window_->cmd_Start(), Qt::LeftButton);

    ASSERT_TRUE(runtime_->Ended());
    ASSERT_EQ(boxes_.size(), 1u);  // the demo's category without data
    EXPECT_EQ(boxes_[0].text.rfind("Keine Daten zum Installieren gefunden!\r\n", 0), 0u);
    std::vector<std::string> expected;
    for (const char* name : {"BLITZ", "LADE", "MOBIL", "RAST", "TANKSTEL"}) {
        for (const char* extension : {".bm", ".chk", ".ini", ".map"}) {
            expected.push_back(std::string(name) + extension);
        }
    }
    EXPECT_EQ(FilesIn(card.Path()), expected);
    EXPECT_EQ(testsupport::ReadFile(card / "BLITZ.ini"),
              "[BLITZ]\r\nactive=1\r\ndistance=200\r\ntime=0\r\nvisualWarning=0\r\n"
              "soundWarning=1\r\n");
    EXPECT_EQ(Stored(vbreg::kSettingsKey, "Path_SD"), card.Path() + "/");
    EXPECT_TRUE(window_->lbl_active()->isHidden());
}

}  // namespace
