// The real window while a run waits for the compiler, and the faults that show only there.
#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/stat.h>

#include <QTimer>
#include <filesystem>

#include "core/utils/launch_wait.h"
#include "core/vbreg/registry_keys.h"
#include "qt/window_fixture.h"
#include "support/temp_folder.h"

namespace {

namespace fs = std::filesystem;
using testsupport::WindowTest;
using Names = std::vector<std::string>;

Names FilesIn(const std::string& folder) {
    Names names;
    if (!fs::is_directory(folder)) return names;
    for (const auto& entry : fs::directory_iterator(folder)) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

TEST_F(WindowTest, WindowEventsKeepRunningWhileTheWaitSleeps) {
    testsupport::TempFolder folder;
    const std::string program = folder / "compiler", done = folder / "done";
    testsupport::WriteFile(program, "#!/bin/sh\nsleep 0.3\ntouch '" + done + "'\n");
    chmod(program.c_str(), 0755);
    StartProgram();
    bool handled = false;
    QTimer::singleShot(50, [&] { handled = true; });
    Utils::call_and_wait(program, 0);
    EXPECT_TRUE(handled);
    EXPECT_TRUE(testsupport::FileExists(done));
}

// The stand-in compiler on the demo's Blitzer category, as a user would install it.
TEST_F(WindowTest, InstallHoldsWhereTheStagingFolderOrTheShortNameWouldBreakIt) {
    const struct {
        const char* name;
        const char* cacheHome;  // under the test's folder: the staging folder's home
        std::string list;
        Names boxes;
        Names card;
    } rows[] = {
        {.name = "home_with_a_space",
         .cacheHome = "Anna Maria/.cache",
         .list = "Blitzer;blitz;1;3;X;0\r\n",
         .boxes = {},
         .card = {"BLITZ.bm", "BLITZ.chk", "BLITZ.ini", "BLITZ.map"}},
        {.name = "nul_in_the_short_name",
         .cacheHome = "cache",
         .list = std::string("Blitzer;bl\0tz;1\r\n", 17),
         .boxes = {"Laufzeitfehler '52':\r\n\r\nUngültiger Dateiname"},
         .card = {}},
    };
    for (const auto& row : rows) {
        testsupport::TempFolder folder;
        const std::string poi = folder / "poi", card = folder / "card";
        fs::create_directories(poi);
        fs::create_directories(card);
        for (const char* file : {"Blitzer.csv", "Blitzer.bmp"}) {
            fs::copy_file(std::string(MARQUILL_DEMO_DIR) + file, poi + "/" + file);
        }
        testsupport::WriteFile(poi + "/MARQUILL.CSV", row.list);
        setenv("XDG_CACHE_HOME", (folder / row.cacheHome).c_str(), 1);
        Store(vbreg::kNavManKey, "InstallLocation", MARQUILL_POICOMPILER_DIR);
        Store(vbreg::kSettingsKey, "Path_POI", poi);
        Store(vbreg::kSettingsKey, "Path_SD", card);
        boxes_.clear();
        window_.reset();
        runtime_.reset();
        StartProgram();

        QTest::mouseClick(window_->cmd_Start(), Qt::LeftButton);

        Names texts;
        for (const auto& box : boxes_) texts.push_back(box.text);
        EXPECT_EQ(texts, row.boxes) << row.name;
        EXPECT_EQ(FilesIn(card), row.card) << row.name;
        EXPECT_EQ(FilesIn(folder / row.cacheHome + "/marquill/temp"), Names{}) << row.name;
    }
}

TEST_F(WindowTest, QuitDuringTheCompilerWaitStoresTheFoldersAndEndsAtOnce) {
    testsupport::TempFolder folder;
    const std::string poi = folder / "poi", card = folder / "card", navman = folder / "nav";
    for (const auto& path : {poi, card, navman}) fs::create_directories(path);
    testsupport::WriteFile(poi + "/MARQUILL.CSV", "Blitzer;blitz;1\r\n");
    testsupport::WriteFile(poi + "/Blitzer.csv", "8.1,50.1,Ort\r\n");
    testsupport::WriteFile(poi + "/Blitzer.bmp", "BM");
    testsupport::WriteFile(navman + "/poicompiler", "#!/bin/sh\nsleep 2\n");
    chmod((navman + "/poicompiler").c_str(), 0755);
    Store(vbreg::kNavManKey, "InstallLocation", navman);
    Store(vbreg::kSettingsKey, "Path_POI", poi);
    Store(vbreg::kSettingsKey, "Path_SD", card);
    StartProgram();
    QTimer::singleShot(100, [&] { QTest::mouseClick(window_->cmd_quit(), Qt::LeftButton); });

    QTest::mouseClick(window_->cmd_Start(), Qt::LeftButton);

    EXPECT_TRUE(runtime_->Ended());
    EXPECT_EQ(Stored("Path_SD"), card + "/");
    EXPECT_EQ(FilesIn(card), Names{});  // the compiler had not ended yet
    EXPECT_TRUE(boxes_.empty());
}

}  // namespace
