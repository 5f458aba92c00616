#include <gtest/gtest.h>

#include <csignal>
#include <functional>

#include "qt/termination_signals.h"
#include "qt/window_fixture.h"

namespace {

using testsupport::kMarker;
using testsupport::WindowTest;
using Way = std::function<void(qtfront::MainWindow&)>;

void ClickOnQuit(qtfront::MainWindow& window) {
    QTest::mouseClick(window.cmd_quit(), Qt::LeftButton);
}

void CloseBox(qtfront::MainWindow& window) {
    window.close();
}

constexpr Qt::KeyboardModifier kKeypad = Qt::KeypadModifier;

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
    Way way;
    std::string poi;  // stored for a cleared txt_poi
};

// A cleared field: the Quit button takes the focus first, so its check runs before the store;
// the close box and the system move no focus and store what the field shows. After the end,
// no handler runs.
TEST_F(WindowTest, EveryWayOutStoresTheFieldsAsTheyAreThen) {
    // clang-format off
    const WayOutRow rows[] = {
        {.name = "click on Beenden", .way = ClickOnQuit, .poi = kMarker},
        {.name = "Enter on Beenden", .way = KeyOnQuit(Qt::Key_Return), .poi = kMarker},
        {.name = "keypad Enter", .way = KeyOnQuit(Qt::Key_Enter, kKeypad), .poi = kMarker},
        {.name = "Space on Beenden", .way = KeyOnQuit(Qt::Key_Space), .poi = kMarker},
        {.name = "close box", .way = CloseBox, .poi = ""},
        {.name = "SIGTERM", .way = SystemSignal(SIGTERM), .poi = ""},
        {.name = "SIGHUP", .way = SystemSignal(SIGHUP), .poi = ""},
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
