#include <gtest/gtest.h>

#include <QApplication>

#include "core/vbreg/registry_keys.h"
#include "qt/window_fixture.h"
#include "resources/main_layout.h"

namespace {

using testsupport::WindowTest;

constexpr const char* kMarker = "unbekannt!";

QColor TextColour(const QLineEdit* edit) {
    return edit->palette().color(QPalette::Text);
}

TEST_F(WindowTest, FirstStartShowsTheLayoutWithBothFieldsMarkedRed) {
    StartProgram();
    EXPECT_EQ(window_->size(), QSize(590, 255));
    EXPECT_EQ(window_->minimumSize(), window_->maximumSize());
    for (const auto& entry : layout::kMainControls) {
        QWidget* control = window_->Control(entry.name);
        ASSERT_NE(control, nullptr) << entry.name;
        EXPECT_EQ(control->geometry(),
                  QRect(entry.left / 15, entry.top / 15, entry.width / 15, entry.height / 15))
            << entry.name;
    }
    EXPECT_EQ(window_->cmd_quit()->geometry(), QRect(424, 216, 153, 25));
    EXPECT_EQ(window_->windowTitle(), "Marquill (200512181907)");
    EXPECT_FALSE(window_->windowIcon().pixmap(32, 32).isNull());
    EXPECT_EQ(QApplication::focusWidget(), window_->txt_poi());
    EXPECT_TRUE(window_->lbl_active()->isHidden());
    EXPECT_EQ(window_->lbl_active()->font().pointSize(), 18);
    EXPECT_FALSE(window_->cmd_Start()->isDefault() || window_->cmd_Start()->autoDefault());
    EXPECT_FALSE(window_->cmd_quit()->isDefault() || window_->cmd_quit()->autoDefault());
    for (QLineEdit* field : {window_->txt_poi(), window_->txt_sd()}) {
        EXPECT_EQ(field->text(), kMarker);
        EXPECT_EQ(TextColour(field), QColor(Qt::red));
    }
    EXPECT_FALSE(window_->cmd_Start()->isEnabled());
    EXPECT_EQ(window_->txt_navman()->text(), "");
    EXPECT_TRUE(boxes_.empty());
}

TEST_F(WindowTest, TabOrderSkipsTheLabels) {
    Store(vbreg::kSettingsKey, "Path_POI", "/poi/");
    Store(vbreg::kSettingsKey, "Path_SD", "/sd/");
    StartProgram();
    for (QWidget* next :
         {static_cast<QWidget*>(window_->txt_sd()), static_cast<QWidget*>(window_->cmd_Start()),
          static_cast<QWidget*>(window_->cmd_quit()), static_cast<QWidget*>(window_->txt_poi())}) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        EXPECT_EQ(QApplication::focusWidget(), next);
    }
}

TEST_F(WindowTest, OnlyLeavingAFieldForAnotherControlChecksIt) {
    Store(vbreg::kSettingsKey, "Path_POI", "/poi/");
    Store(vbreg::kSettingsKey, "Path_SD", "/sd/");
    StartProgram();
    window_->txt_poi()->clear();
    QFocusEvent toMessageBox(QEvent::FocusOut, Qt::ActiveWindowFocusReason);
    QApplication::sendEvent(window_->txt_poi(), &toMessageBox);
    EXPECT_EQ(window_->txt_poi()->text(), "");
    EXPECT_TRUE(window_->cmd_Start()->isEnabled());

    QTest::keyClick(window_->txt_poi(), Qt::Key_Tab);
    EXPECT_EQ(window_->txt_poi()->text(), kMarker);
    EXPECT_EQ(TextColour(window_->txt_poi()), QColor(Qt::red));
    EXPECT_FALSE(window_->cmd_Start()->isEnabled());

    window_->txt_poi()->setFocus(Qt::MouseFocusReason);
    window_->txt_poi()->setText("Unbekannt!");
    QTest::keyClick(window_->txt_poi(), Qt::Key_Tab);
    EXPECT_EQ(TextColour(window_->txt_poi()), QColor(Qt::black));
    EXPECT_TRUE(window_->cmd_Start()->isEnabled());
}

// The Quit button takes the focus first, so the cleared field's check runs before the store;
// the close box moves no focus.
TEST_F(WindowTest, AClearedFieldIsStoredAsTheMarkerByQuitButEmptyByTheCloseBox) {
    for (const bool byQuitButton : {true, false}) {
        SetUp();
        Store(vbreg::kSettingsKey, "Path_POI", "/poi/");
        Store(vbreg::kSettingsKey, "Path_SD", "/sd/");
        StartProgram();
        window_->txt_poi()->clear();
        if (byQuitButton) {
            QTest::mouseClick(window_->cmd_quit(), Qt::LeftButton);
        } else {
            window_->close();
        }
        EXPECT_TRUE(runtime_->Ended());
        EXPECT_EQ(Stored(vbreg::kSettingsKey, "Path_POI"), byQuitButton ? kMarker : "");
        EXPECT_EQ(Stored(vbreg::kSettingsKey, "Path_SD"), "/sd/");
        TearDown();
    }
}

TEST_F(WindowTest, NoHandlerRunsAfterTheProgramEnded) {
    Store(vbreg::kSettingsKey, "Path_SD", "/sd/");
    StartProgram();
    QTest::mouseClick(window_->cmd_quit(), Qt::LeftButton);
    ASSERT_TRUE(runtime_->Ended());
    window_->txt_sd()->setText("changed");
    window_->close();
    EXPECT_EQ(Stored(vbreg::kSettingsKey, "Path_SD"), "/sd/");
}

}  // namespace
