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

// A Windows export keeps the folders' 8-bit names: the compiler must still start from the NavMan
// folder, and the card folder is stored back as it was read. A home with a blank puts one into
// both staged paths on the compiler's command line.
TEST_F(InstallWindow, InstallsTheDemoWithTheStandInCompiler) {
    Arrange("-\xD6", MARQUILL_POICOMPILER_DIR "/poicompiler");
    setenv("XDG_CACHE_HOME", (root / "Anna Maria").c_str(), 1);
    StartProgram();
    QTest::mouseClick(window_->cmd_Start(), Qt::LeftButton);

    EXPECT_TRUE(runtime_->Ended());
    ASSERT_EQ(boxes_.size(), 1u);  // the demo's category without data
    EXPECT_TRUE(boxes_[0].text.starts_with("Keine Daten zum Installieren gefunden!\r\n"));
    EXPECT_EQ(testsupport::NamesIn(card).size(), 4 * 5u);  // four files for each category with data
    EXPECT_EQ(testsupport::NamesIn(root / "Anna Maria/marquill/temp"), Names{});
    EXPECT_EQ(Stored("Path_SD"), card + "/");
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
