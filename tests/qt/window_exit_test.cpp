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

constexpr Qt::KeyboardModifier Keypad = Qt::KeypadModifier;

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
    std::string storedPoi;
};

// A cleared field: the Quit button takes the focus first, so its check runs before the store;
// the close box and the system move no focus and store what the field shows. After the end,
// no handler runs.
TEST_F(WindowTest, EveryWayOutStoresTheFieldsAsTheyAreThen) {
    // clang-format off
    const WayOutRow rows[] = {
        {.name = "click on Beenden", .way = ClickOnQuit,                     .storedPoi = kMarker},
        {.name = "Enter on Beenden", .way = KeyOnQuit(Qt::Key_Return),       .storedPoi = kMarker},
        {.name = "keypad Enter",     .way = KeyOnQuit(Qt::Key_Enter, Keypad), .storedPoi = kMarker},
        {.name = "Space on Beenden", .way = KeyOnQuit(Qt::Key_Space),        .storedPoi = kMarker},
        {.name = "close box",        .way = CloseBox,                        .storedPoi = ""},
        {.name = "SIGTERM",          .way = SystemSignal(SIGTERM),           .storedPoi = ""},
        {.name = "SIGHUP",           .way = SystemSignal(SIGHUP),            .storedPoi = ""},
    };
    // clang-format on
    for (const auto& row : rows) {
        StartAfresh();
        StoreFolders("/poi/", "/sd/");
        StartProgram();
        const qtfront::TerminationSignals closedBySystem(*window_);
        window_->txt_poi()->clear();
        row.way(*window_);
        EXPECT_TRUE(runtime_->Ended()) << row.name;
        EXPECT_EQ(Stored("Path_POI"), row.storedPoi) << row.name;
        window_->txt_sd()->setText("typed after the end");
        window_->close();  // no handler runs any more: nothing is stored again
        EXPECT_EQ(Stored("Path_SD"), "/sd/") << row.name;
    }
}

}  // namespace
