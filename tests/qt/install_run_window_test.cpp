// Install runs through the real window: the demo with the stand-in compiler, and Beenden while
// the window waits for a compiler.
#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/stat.h>

#include <QTimer>
#include <filesystem>

#include "qt/window_fixture.h"
#include "support/temp_folder.h"

namespace {

namespace fs = std::filesystem;
using Names = std::vector<std::string>;

// The demo's POI folder, an empty card and a NavMan folder with the compiler, as an earlier
// run stored them.
class InstallWindow : public testsupport::WindowTest {
protected:
    void Arrange(const std::string& suffix, const std::string& compiler) {
        navman = root / ("navman" + suffix), poi = root / ("poi" + suffix) + "/";
        card = root / ("card" + suffix);
        fs::create_directory(navman);
        fs::create_symlink(compiler, navman + "/poicompiler");
        fs::copy(MARQUILL_DEMO_DIR, poi, fs::copy_options::recursive);
        fs::create_directory(card);
        Store(vbreg::kNavManKey, "InstallLocation", navman);
        StoreFolders(poi, card);
    }

    testsupport::TempFolder root;
    std::string navman, poi, card;
};

struct DemoRow {
    const char* name;
    std::string suffix;     // of each folder's name
    const char* cacheHome;  // below the test's folder: the staging folder lies in it
};

// The folders of a Windows export keep their 8-bit names: the compiler must still start from
// the NavMan folder, and the card folder is stored back as it was read. A home with a blank
// puts one into both staged paths on the compiler's command line.
TEST_F(InstallWindow, InstallsTheDemoWithTheStandInCompiler) {
    // clang-format off
    const DemoRow rows[] = {
        {.name = "UTF-8", .suffix = "-\xC3\x96", .cacheHome = "cache"},
        {.name = "Windows-1252, a home with a blank", .suffix = "-\xD6", .cacheHome = "Anna Maria"},
    };
    // clang-format on
    for (const DemoRow& row : rows) {
        StartAfresh();
        Arrange(row.suffix, MARQUILL_POICOMPILER_DIR "/poicompiler");
        setenv("XDG_CACHE_HOME", (root / row.cacheHome).c_str(), 1);
        StartProgram();
        EXPECT_TRUE(window_->cmd_Start()->isEnabled()) << row.name;
        QTest::mouseClick(window_->cmd_Start(), Qt::LeftButton);

        EXPECT_TRUE(runtime_->Ended()) << row.name;
        EXPECT_TRUE(boxes_.size() == 1 &&
                    boxes_[0].text.starts_with("Keine Daten zum Installieren gefunden!\r\n"))
            << row.name;  // the demo's category without data
        Names demo;
        for (const char* name : {"BLITZ", "LADE", "MOBIL", "RAST", "TANKSTEL"})
            for (const char* extension : {".bm", ".chk", ".ini", ".map"})
                demo.push_back(name + std::string(extension));
        EXPECT_EQ(testsupport::NamesIn(card), demo) << row.name;
        const std::string ini = card + "/BLITZ.ini";
        EXPECT_EQ(testsupport::FileExists(ini) ? testsupport::ReadFile(ini) : "",
                  "[BLITZ]\r\nactive=1\r\ndistance=200\r\ntime=0\r\nvisualWarning=0\r\n"
                  "soundWarning=1\r\n")
            << row.name;
        EXPECT_EQ(testsupport::NamesIn(root / row.cacheHome + "/marquill/temp"), Names{})
            << row.name;
        EXPECT_EQ(Stored("Path_POI"), poi) << row.name;
        EXPECT_EQ(Stored("Path_SD"), card + "/") << row.name;
        EXPECT_TRUE(window_->lbl_active()->isHidden()) << row.name;
    }
}

// Window events run while the wait sleeps: Beenden clicked then stores the folders and ends
// the program before the compiler has ended.
TEST_F(InstallWindow, BeendenDuringTheCompilerWaitStoresTheFoldersAndEndsAtOnce) {
    testsupport::WriteFile(root / "slow", "#!/bin/sh\nsleep 2\n");
    chmod((root / "slow").c_str(), 0755);
    Arrange("", root / "slow");
    StartProgram();
    QTimer::singleShot(100, [&] { QTest::mouseClick(window_->cmd_quit(), Qt::LeftButton); });

    QTest::mouseClick(window_->cmd_Start(), Qt::LeftButton);

    EXPECT_TRUE(runtime_->Ended());
    EXPECT_EQ(Stored("Path_SD"), card + "/");
    EXPECT_EQ(testsupport::NamesIn(card), Names{});
    EXPECT_TRUE(boxes_.empty());
}

}  // namespace
