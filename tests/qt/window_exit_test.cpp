#include <gtest/gtest.h>

#include <csignal>

#include "qt/termination_signals.h"
#include "qt/window_fixture.h"

namespace {

using testsupport::kMarker;
using testsupport::WindowTest;

enum class Way {
    ClickOnQuit,
    EnterOnQuit,
    KeypadEnterOnQuit,
    SpaceOnQuit,
    CloseBox,
    Sigterm,
    Sighup
};

struct WayOutRow {
    const char* name;
    Way way;
    std::string storedPoi;
};

void TakeWay(Way way, qtfront::MainWindow& window) {
    QPushButton* quit = window.cmd_quit();
    switch (way) {
        case Way::ClickOnQuit:
            QTest::mouseClick(quit, Qt::LeftButton);
            break;
        case Way::EnterOnQuit:
        case Way::KeypadEnterOnQuit:
        case Way::SpaceOnQuit:
            quit->setFocus(Qt::TabFocusReason);
            QTest::keyClick(quit,
                            way == Way::SpaceOnQuit   ? Qt::Key_Space
                            : way == Way::EnterOnQuit ? Qt::Key_Return
                                                      : Qt::Key_Enter,
                            way == Way::KeypadEnterOnQuit ? Qt::KeypadModifier : Qt::NoModifier);
            break;
        case Way::CloseBox:
            window.close();
            break;
        case Way::Sigterm:
        case Way::Sighup:
            std::raise(way == Way::Sigterm ? SIGTERM : SIGHUP);
            QTest::qWait(50);
            break;
    }
}

// A cleared field: the Quit button takes the focus first, so its check runs before the store;
// the close box and the system move no focus and store what the field shows.
TEST_F(WindowTest, EveryWayOutStoresTheFieldsAsTheyAreThen) {
    const WayOutRow rows[] = {
        {.name = "click on Beenden", .way = Way::ClickOnQuit, .storedPoi = kMarker},
        {.name = "Enter on the focused Beenden", .way = Way::EnterOnQuit, .storedPoi = kMarker},
        {.name = "keypad Enter on Beenden", .way = Way::KeypadEnterOnQuit, .storedPoi = kMarker},
        {.name = "Space on the focused Beenden", .way = Way::SpaceOnQuit, .storedPoi = kMarker},
        {.name = "close box", .way = Way::CloseBox, .storedPoi = ""},
        {.name = "SIGTERM", .way = Way::Sigterm, .storedPoi = ""},
        {.name = "SIGHUP", .way = Way::Sighup, .storedPoi = ""},
    };
    for (const auto& row : rows) {
        StartAfresh();
        StoreFolders("/poi/", "/sd/");
        StartProgram();
        const qtfront::TerminationSignals closedBySystem(*window_);
        window_->txt_poi()->clear();
        TakeWay(row.way, *window_);
        EXPECT_TRUE(runtime_->Ended()) << row.name;
        EXPECT_EQ(Stored("Path_POI"), row.storedPoi) << row.name;
        EXPECT_EQ(Stored("Path_SD"), "/sd/") << row.name;
    }
}

TEST_F(WindowTest, EnterInAFieldPressesNoButton) {
    StoreFolders("/poi/", "/sd/");
    StartProgram();
    QTest::keyClick(window_->txt_sd(), Qt::Key_Return);
    EXPECT_FALSE(runtime_->Ended());
    EXPECT_TRUE(boxes_.empty());  // no install run: it would miss the list
}

TEST_F(WindowTest, NoHandlerRunsAfterTheProgramEnded) {
    StoreFolders("/poi/", "/sd/");
    StartProgram();
    QTest::mouseClick(window_->cmd_quit(), Qt::LeftButton);
    ASSERT_TRUE(runtime_->Ended());
    window_->txt_sd()->setText("changed");
    window_->close();
    EXPECT_EQ(Stored("Path_SD"), "/sd/");
}

}  // namespace
