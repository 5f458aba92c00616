// Beenden while the real window waits for a compiler (the demo's install through the real window
// is the smoke run's).
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QTimer>
#include <filesystem>

#include "qt/window_fixture.h"
#include "support/temp_folder.h"

namespace {

namespace fs = std::filesystem;
using testsupport::WindowTest;

// Window events run while the wait sleeps: Beenden clicked then stores the folders and ends
// the program before the compiler has ended. The NavMan folder's 8-bit name, as a Windows
// export keeps it, still starts the compiler.
TEST_F(WindowTest, BeendenDuringTheCompilerWaitStoresTheFoldersAndEndsAtOnce) {
    const testsupport::TempFolder root;
    const std::string navman = root / "navman-\xD6", poi = root / "poi/", card = root / "card";
    fs::create_directory(navman);
    testsupport::WriteFile(navman + "/poicompiler", "#!/bin/sh\nsleep 2\n");
    chmod((navman + "/poicompiler").c_str(), 0755);
    fs::copy(MARQUILL_DEMO_DIR, poi, fs::copy_options::recursive);
    fs::create_directory(card);
    Store(vbreg::kNavManKey, "InstallLocation", navman);
    StoreFolders(poi, card);
    StartProgram();
    QTimer::singleShot(100, [&] { QTest::mouseClick(window_->cmd_quit(), Qt::LeftButton); });

    QTest::mouseClick(window_->cmd_Start(), Qt::LeftButton);

    EXPECT_TRUE(runtime_->Ended());
    EXPECT_EQ(Stored("Path_SD"), card + "/");
    EXPECT_TRUE(testsupport::NamesIn(card).empty());
    EXPECT_TRUE(boxes_.empty());
}

}  // namespace
