#include <gtest/gtest.h>

#include <filesystem>

#include "core/vbreg/registry_keys.h"
#include "qt/window_fixture.h"
#include "support/temp_folder.h"

namespace {

namespace fs = std::filesystem;
using testsupport::WindowTest;

std::vector<std::string> FilesIn(const std::string& folder) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder)) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

std::vector<std::string> DemoCardFiles() {
    std::vector<std::string> expected;
    for (const char* name : {"BLITZ", "LADE", "MOBIL", "RAST", "TANKSTEL"}) {
        for (const char* extension : {".bm", ".chk", ".ini", ".map"}) {
            expected.push_back(std::string(name) + extension);
        }
    }
    return expected;
}

struct DemoRow {
    const char* name;
    std::string folderSuffix;  // appended to each folder's name
    bool startByEnter;
};

// The NavMan, POI and card folders of a Windows export keep their 8-bit names: the compiler
// must still start from the NavMan folder, and the card folder is stored back as it was read.
TEST_F(WindowTest, InstallsTheDemoWithTheStandInCompiler) {
    // clang-format off
    const DemoRow rows[] = {
        {.name = "UTF-8 folders, mouse click",  .folderSuffix = "-\xC3\x96", .startByEnter = false},
        {.name = "Windows-1252 folders, Enter", .folderSuffix = "-\xD6",     .startByEnter = true},
    };
    // clang-format on
    for (const auto& row : rows) {
        StartAfresh();
        testsupport::TempFolder root;
        const std::string navman = root / ("navman" + row.folderSuffix);
        const std::string poi = root / ("poi" + row.folderSuffix) + "/";
        const std::string card = root / ("card" + row.folderSuffix);
        fs::create_directory(navman);
        fs::create_symlink(MARQUILL_POICOMPILER_DIR "/poicompiler", navman + "/poicompiler");
        fs::copy(MARQUILL_DEMO_DIR, poi, fs::copy_options::recursive);
        fs::create_directory(card);
        Store(vbreg::kNavManKey, "InstallLocation", navman);
        StoreFolders(poi, card);
        StartProgram();
        EXPECT_TRUE(window_->cmd_Start()->isEnabled()) << row.name;

        if (row.startByEnter) {
            window_->cmd_Start()->setFocus(Qt::TabFocusReason);
            QTest::keyClick(window_->cmd_Start(), Qt::Key_Return);
        } else {
            QTest::mouseClick(window_->cmd_Start(), Qt::LeftButton);
        }

        EXPECT_TRUE(runtime_->Ended()) << row.name;
        EXPECT_EQ(boxes_.size(), 1u) << row.name;  // the demo's category without data
        EXPECT_TRUE(!boxes_.empty() &&
                    boxes_[0].text.starts_with("Keine Daten zum Installieren gefunden!\r\n"))
            << row.name;
        EXPECT_EQ(FilesIn(card), DemoCardFiles()) << row.name;
        const std::string ini = card + "/BLITZ.ini";
        EXPECT_EQ(testsupport::FileExists(ini) ? testsupport::ReadFile(ini) : "",
                  "[BLITZ]\r\nactive=1\r\ndistance=200\r\ntime=0\r\nvisualWarning=0\r\n"
                  "soundWarning=1\r\n")
            << row.name;
        EXPECT_EQ(Stored("Path_POI"), poi) << row.name;
        EXPECT_EQ(Stored("Path_SD"), card + "/") << row.name;
        EXPECT_TRUE(window_->lbl_active()->isHidden()) << row.name;
    }
}

}  // namespace
