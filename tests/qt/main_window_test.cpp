#include <gtest/gtest.h>

#include <QApplication>
#include <QMessageBox>
#include <QTimer>

#include "core/install/install.h"
#include "core/main/main_form.h"
#include "resources/main_layout.h"
#include "window_fixture.h"

namespace {

using testsupport::WindowTest;

constexpr const char* kMarker = "unbekannt!";

QColor TextColour(const QLineEdit* edit) {
    return edit->palette().color(QPalette::Text);
}

TEST_F(WindowTest, ControlsStandWhereTheLayoutTablePutsThem) {
    StartProgram();
    EXPECT_EQ(window_->size(), QSize(590, 255));
    EXPECT_EQ(window_->minimumSize(), window_->maximumSize());  // fixed
    for (const auto& spec : layout::kMainControls) {
        SCOPED_TRACE(std::string(spec.name));
        QWidget* control = window_->Control(spec.name);
        ASSERT_NE(control, nullptr);
        EXPECT_EQ(control->geometry(),
                  QRect(spec.left / 15, spec.top / 15, spec.width / 15, spec.height / 15));
    }
    EXPECT_EQ(window_->txt_poi()->geometry(), QRect(160, 56, 417, 19));
    EXPECT_EQ(window_->cmd_quit()->geometry(), QRect(424, 216, 153, 25));
    EXPECT_EQ(window_->cmd_Start()->text(), "Installieren");
    EXPECT_EQ(window_->cmd_quit()->text(), "Beenden");
    EXPECT_EQ(static_cast<QLabel*>(window_->Control("lbl_sd"))->text(), "Pfad zur SD Karte:");
}

TEST_F(WindowTest, StartsWithCaptionIconFocusAndHiddenStatus) {
    StartProgram();
    EXPECT_EQ(window_->windowTitle(), "Marquill (200512181907)");
    EXPECT_FALSE(window_->windowIcon().pixmap(32, 32).isNull());
    EXPECT_TRUE(window_->lbl_active()->isHidden());
    EXPECT_EQ(QApplication::focusWidget(), window_->txt_poi());
    EXPECT_EQ(window_->lbl_active()->font().pointSize(), 18);
    EXPECT_TRUE(window_->lbl_active()->alignment() & Qt::AlignHCenter);
    EXPECT_FALSE(window_->cmd_Start()->isDefault() || window_->cmd_Start()->autoDefault());
    EXPECT_FALSE(window_->cmd_quit()->isDefault() || window_->cmd_quit()->autoDefault());
}

TEST_F(WindowTest, TabOrderSkipsLabelsAndADisabledInstallButton) {
    Store(Install::kSettingsKey, "Path_POI", "/poi/");
    Store(Install::kSettingsKey, "Path_SD", "/sd/");
    StartProgram();
    ASSERT_TRUE(window_->cmd_Start()->isEnabled());
    const std::vector<QWidget*> expected{window_->txt_sd(), window_->cmd_Start(),
                                         window_->cmd_quit(), window_->txt_poi()};
    for (QWidget* next : expected) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        EXPECT_EQ(QApplication::focusWidget(), next);
    }
}

TEST_F(WindowTest, FirstStartMarksBothFieldsRedAndDisablesInstall) {
    StartProgram();
    EXPECT_EQ(window_->txt_poi()->text(), kMarker);
    EXPECT_EQ(window_->txt_sd()->text(), kMarker);
    EXPECT_EQ(TextColour(window_->txt_poi()), QColor(Qt::red));
    EXPECT_EQ(TextColour(window_->txt_sd()), QColor(Qt::red));
    EXPECT_FALSE(window_->cmd_Start()->isEnabled());
    EXPECT_EQ(window_->txt_navman()->text(), "");
    EXPECT_TRUE(runtime_->Boxes().empty());
}

TEST_F(WindowTest, StoredFoldersAreLoadedInBlackAndEnableInstall) {
    Store(Main::kNavManKey, "InstallLocation", "/opt/navman");
    Store(Install::kSettingsKey, "Path_POI", "/data/poi");
    Store(Install::kSettingsKey, "Path_SD", "/media/sd/");
    StartProgram();
    EXPECT_EQ(window_->txt_navman()->text(), "/opt/navman");
    EXPECT_EQ(window_->txt_poi()->text(), "/data/poi");
    EXPECT_EQ(TextColour(window_->txt_sd()), QColor(Qt::black));
    EXPECT_TRUE(window_->cmd_Start()->isEnabled());
}

TEST_F(WindowTest, LeavingAFieldChecksItButTypingAloneDoesNot) {
    Store(Install::kSettingsKey, "Path_POI", "/poi/");
    Store(Install::kSettingsKey, "Path_SD", "/sd/");
    StartProgram();
    window_->txt_poi()->clear();
    QTest::keyClicks(window_->txt_poi(), "");
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

TEST_F(WindowTest, AMessageBoxTakingTheFocusIsNoLostFocus) {
    StartProgram();
    window_->txt_poi()->setText("");
    QFocusEvent focusToBox(QEvent::FocusOut, Qt::ActiveWindowFocusReason);
    QApplication::sendEvent(window_->txt_poi(), &focusToBox);
    EXPECT_EQ(window_->txt_poi()->text(), "");
    QFocusEvent focusToControl(QEvent::FocusOut, Qt::TabFocusReason);
    QApplication::sendEvent(window_->txt_poi(), &focusToControl);
    EXPECT_EQ(window_->txt_poi()->text(), kMarker);
}

TEST_F(WindowTest, QuitButtonStoresAClearedFieldAsTheMarker) {
    Store(Install::kSettingsKey, "Path_POI", "/poi/");
    Store(Install::kSettingsKey, "Path_SD", "/sd/");
    StartProgram();
    window_->txt_poi()->clear();
    QTest::mouseClick(window_->cmd_quit(), Qt::LeftButton);
    EXPECT_TRUE(runtime_->Ended());
    EXPECT_EQ(Stored(Install::kSettingsKey, "Path_POI"), kMarker);
    EXPECT_EQ(Stored(Install::kSettingsKey, "Path_SD"), "/sd/");
}

TEST_F(WindowTest, CloseBoxStoresAClearedFieldAsEmptyText) {
    Store(Install::kSettingsKey, "Path_POI", "/poi/");
    Store(Install::kSettingsKey, "Path_SD", "/sd/");
    StartProgram();
    window_->txt_poi()->clear();
    window_->close();
    EXPECT_TRUE(runtime_->Ended());
    EXPECT_EQ(Stored(Install::kSettingsKey, "Path_POI"), "");
    EXPECT_EQ(Stored(Install::kSettingsKey, "Path_SD"), "/sd/");
}

TEST_F(WindowTest, FirstQuitStoresTheMarkersForTheNextStart) {
    StartProgram();
    QTest::mouseClick(window_->cmd_quit(), Qt::LeftButton);
    ASSERT_TRUE(runtime_->Ended());
    window_.reset();
    runtime_.reset();
    StartProgram();
    EXPECT_EQ(window_->txt_sd()->text(), kMarker);
    EXPECT_EQ(TextColour(window_->txt_sd()), QColor(Qt::red));
}

TEST_F(WindowTest, NoHandlerRunsAfterTheProgramEnded) {
    Store(Install::kSettingsKey, "Path_SD", "/sd/");
    StartProgram();
    QTest::mouseClick(window_->cmd_quit(), Qt::LeftButton);
    ASSERT_TRUE(runtime_->Ended());
    window_->txt_sd()->setText("changed");
    window_->close();
    EXPECT_EQ(Stored(Install::kSettingsKey, "Path_SD"), "/sd/");
}

}  // namespace
