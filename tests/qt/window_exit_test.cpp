#include <gtest/gtest.h>

#include <csignal>
#include <functional>

#include "qt/termination_signals.h"
#include "qt/window_fixture.h"

namespace {

using testsupport::kMarker;
using testsupport::WindowTest;
using Way = std::function<void(qtfront::MainWindow&)>;

Way KeyOnQuit(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    return [=](qtfront::MainWindow& window) {
        window.cmd_quit()->setFocus(Qt::TabFocusReason);
        QTest::keyClick(window.cmd_quit(), key, modifiers);
    };
}

Way SystemSignal(int number) {
    return [=](qtfront::MainWindow&) {
        std::raise(number);
        QTest::qWait(50);
    };
}

struct WayOutRow {
    const char* name;
    std::string poi;  // stored for a cleared txt_poi
    Way way;
};

// A cleared field: the Quit button takes the focus first, so its check runs before the store;
// the close box and the system move no focus and store what the field shows. After the end,
// no handler runs.
TEST_F(WindowTest, EveryWayOutStoresTheFieldsAsTheyAreThen) {
    // clang-format off
    const WayOutRow rows[] = {
        {.name = "click on Beenden", .poi = kMarker,
         .way = [](auto& w) { QTest::mouseClick(w.cmd_quit(), Qt::LeftButton); }},
        {.name = "Enter on Beenden", .poi = kMarker, .way = KeyOnQuit(Qt::Key_Return)},
        {.name = "keypad Enter", .poi = kMarker,
         .way = KeyOnQuit(Qt::Key_Enter, Qt::KeypadModifier)},
        {.name = "Space on Beenden", .poi = kMarker, .way = KeyOnQuit(Qt::Key_Space)},
        {.name = "close box", .poi = "", .way = [](auto& w) { w.close(); }},
        {.name = "SIGTERM", .poi = "", .way = SystemSignal(SIGTERM)},
        {.name = "SIGHUP", .poi = "", .way = SystemSignal(SIGHUP)},
    };
    // clang-format on
    for (const WayOutRow& row : rows) {
        StartAfresh();
        StoreFolders("/poi/", "/sd/");
        StartProgram();
        const qtfront::TerminationSignals closedBySystem(*window_);
        window_->txt_poi()->clear();
        row.way(*window_);
        EXPECT_TRUE(runtime_->Ended()) << row.name;
        EXPECT_EQ(Stored("Path_POI"), row.poi) << row.name;
        window_->txt_sd()->setText("typed after the end");
        window_->close();  // no handler runs any more: nothing is stored again
        EXPECT_EQ(Stored("Path_SD"), "/sd/") << row.name;
    }
}

struct StoredTextRow {
    const char* name;
    std::string stored;
    bool edited;  // a "/" appended
    std::string shown;
    std::string storedByQuit;
};

// A REGEDIT4 export from Windows holds Windows-1252; only what the user changed becomes UTF-8.
TEST_F(WindowTest, AFolderIsStoredBackAsItWasReadUnlessTheUserEditedIt) {
    // clang-format off
    const StoredTextRow rows[] = {
        {.name = "Windows-1252, as read", .stored = "/sd/\xD6sterreich", .edited = false,
         .shown = "/sd/Österreich", .storedByQuit = "/sd/\xD6sterreich"},
        {.name = "Windows-1252, edited", .stored = "/sd/\xD6sterreich", .edited = true,
         .shown = "/sd/Österreich/", .storedByQuit = "/sd/\xC3\x96sterreich/"},
        {.name = "UTF-8, as read", .stored = "/sd/\xC3\x96sterreich", .edited = false,
         .shown = "/sd/Österreich", .storedByQuit = "/sd/\xC3\x96sterreich"},
    };
    // clang-format on
    for (const StoredTextRow& row : rows) {
        StartAfresh();
        StoreFolders("/poi/", row.stored);
        StartProgram();
        if (row.edited) QTest::keyClicks(window_->txt_sd(), "/");
        EXPECT_EQ(window_->txt_sd()->text().toStdString(), row.shown) << row.name;
        QTest::mouseClick(window_->cmd_quit(), Qt::LeftButton);
        EXPECT_EQ(Stored("Path_SD"), row.storedByQuit) << row.name;
    }
}

}  // namespace
