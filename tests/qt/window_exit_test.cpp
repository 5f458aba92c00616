#include <gtest/gtest.h>

#include <csignal>
#include <functional>

#include "qt/termination_signals.h"
#include "qt/window_fixture.h"

namespace {

using testsupport::kMarker;
using testsupport::WindowTest;
using Way = std::function<void(qtfront::MainWindow&)>;

const std::string kWindows1252 = "/sd/\xD6sterreich";

struct WayOutRow {
    const char* name;
    std::string poi;  // stored for a cleared txt_poi
    Way way;
    std::string sd = kWindows1252;  // stored for the card folder
};

// A cleared field: the Quit button takes the focus first, so its check runs before the store;
// the close box and the system move no focus and store what the field shows. The card folder,
// not edited, is stored back with the bytes it was read with (a REGEDIT4 export from Windows
// holds Windows-1252, shown as such); edited, as UTF-8. After the end, no handler runs.
TEST_F(WindowTest, EveryWayOutStoresTheFieldsAsTheyAreThen) {
    // clang-format off
    const WayOutRow rows[] = {
        {.name = "Enter on Beenden", .poi = kMarker, .way = [](auto& w) {
             w.cmd_quit()->setFocus(Qt::TabFocusReason);
             QTest::keyClick(w.cmd_quit(), Qt::Key_Return);
         }},
        {.name = "click on Beenden, card folder edited", .poi = kMarker, .way = [](auto& w) {
             QTest::keyClicks(w.txt_sd(), "/");
             QTest::mouseClick(w.cmd_quit(), Qt::LeftButton);
         }, .sd = "/sd/\xC3\x96sterreich/"},
        {.name = "close box", .poi = "", .way = [](auto& w) { w.close(); }},
        {.name = "SIGTERM", .poi = "", .way = [](auto&) { std::raise(SIGTERM); }},
        {.name = "SIGHUP", .poi = "", .way = [](auto&) { std::raise(SIGHUP); }},
    };
    // clang-format on
    for (const WayOutRow& row : rows) {
        StoreFolders("/poi/", kWindows1252);
        StartProgram();
        EXPECT_EQ(window_->txt_sd()->text().toStdString(), "/sd/Österreich") << row.name;
        const qtfront::TerminationSignals closedBySystem(*window_);
        window_->txt_poi()->clear();
        row.way(*window_);
        QTest::qWait(50);  // a signal is handled on the event loop
        EXPECT_TRUE(runtime_->Ended()) << row.name;
        EXPECT_EQ(Stored("Path_POI"), row.poi) << row.name;
        window_->txt_sd()->setText("typed after the end");
        window_->close();  // no handler runs any more: nothing is stored again
        EXPECT_EQ(Stored("Path_SD"), row.sd) << row.name;
    }
}

}  // namespace
