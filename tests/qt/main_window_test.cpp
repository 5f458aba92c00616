#include <gtest/gtest.h>

#include "qt/window_fixture.h"
#include "resources/main_layout.h"

namespace {

using testsupport::kMarker;
using testsupport::WindowTest;

QColor TextColour(const QLineEdit* edit) {
    return edit->palette().color(QPalette::Text);
}

TEST_F(WindowTest, FirstStartShowsTheLayoutWithBothFieldsMarkedRed) {
    StartProgram();
    EXPECT_EQ(window_->size(), QSize(590, 255));
    EXPECT_EQ(window_->minimumSize(), window_->maximumSize());
    for (const auto& entry : layout::kMainControls) {
        const QWidget* control = window_->Control(entry.name);
        EXPECT_EQ(control ? control->geometry() : QRect(),
                  QRect(entry.left / 15, entry.top / 15, entry.width / 15, entry.height / 15))
            << entry.name;
    }
    EXPECT_EQ(window_->cmd_quit()->geometry(), QRect(424, 216, 153, 25));
    EXPECT_EQ(window_->windowTitle(), "Marquill (200512181907)");
    EXPECT_FALSE(window_->windowIcon().pixmap(32, 32).isNull());
    EXPECT_EQ(Focused(), window_->txt_poi());
    EXPECT_TRUE(window_->lbl_active()->isHidden());
    EXPECT_EQ(window_->lbl_active()->font().pointSize(), 18);
    for (const QPushButton* button : {window_->cmd_Start(), window_->cmd_quit()}) {
        EXPECT_FALSE(button->isDefault() || button->autoDefault()) << button->text().toStdString();
    }
    for (const QLineEdit* field : {window_->txt_poi(), window_->txt_sd()}) {
        EXPECT_EQ(field->text(), kMarker) << field->objectName().toStdString();
        EXPECT_EQ(TextColour(field), QColor(Qt::red)) << field->objectName().toStdString();
    }
    EXPECT_FALSE(window_->cmd_Start()->isEnabled());
    EXPECT_EQ(window_->txt_navman()->text(), "");
    EXPECT_TRUE(boxes_.empty());
}

TEST_F(WindowTest, TabOrderSkipsTheLabels) {
    StoreFolders("/poi/", "/sd/");
    StartProgram();
    for (const char* next : {"txt_sd", "cmd_Start", "cmd_quit", "txt_poi"}) {
        QTest::keyClick(Focused(), Qt::Key_Tab);
        EXPECT_EQ(Focused(), window_->Control(next)) << next;
    }
}

enum class Leave { ToMessageBox, ByTab, ByClick, NotAtAll };

struct LeavingRow {
    const char* name;
    std::string storedPoi;
    std::string typed;
    Leave leave;
    std::string shown;
    bool red;
    bool installEnabled;
};

// Only a focus move to another control of the window checks the field; a message box taking
// the focus does not.
TEST_F(WindowTest, OnlyLeavingAFieldForAnotherControlChecksIt) {
    // clang-format off
    const LeavingRow rows[] = {
        {.name = "cleared, focus to a box", .storedPoi = "/poi/", .typed = "",
         .leave = Leave::ToMessageBox, .shown = "", .red = false, .installEnabled = true},
        {.name = "cleared, Tab", .storedPoi = "/poi/", .typed = "",
         .leave = Leave::ByTab, .shown = kMarker, .red = true, .installEnabled = false},
        {.name = "cleared, click elsewhere", .storedPoi = "/poi/", .typed = "",
         .leave = Leave::ByClick, .shown = kMarker, .red = true, .installEnabled = false},
        {.name = "capital marker, Tab", .storedPoi = "", .typed = "Unbekannt!",
         .leave = Leave::ByTab, .shown = "Unbekannt!", .red = false, .installEnabled = true},
        {.name = "typed, not left", .storedPoi = "", .typed = "/poi/",
         .leave = Leave::NotAtAll, .shown = "/poi/", .red = true, .installEnabled = false},
    };
    // clang-format on
    for (const auto& row : rows) {
        StartAfresh();
        StoreFolders(row.storedPoi, "/sd/");
        StartProgram();
        QLineEdit* field = window_->txt_poi();
        QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(field, Qt::Key_Backspace);
        QTest::keyClicks(field, QString::fromStdString(row.typed));
        if (row.leave == Leave::ToMessageBox) {
            QFocusEvent focusOut(QEvent::FocusOut, Qt::ActiveWindowFocusReason);
            QApplication::sendEvent(field, &focusOut);
        } else if (row.leave == Leave::ByTab) {
            QTest::keyClick(field, Qt::Key_Tab);
        } else if (row.leave == Leave::ByClick) {
            QTest::mouseClick(window_->txt_sd(), Qt::LeftButton);
        }
        EXPECT_EQ(field->text().toStdString(), row.shown) << row.name;
        EXPECT_EQ(TextColour(field), QColor(row.red ? Qt::red : Qt::black)) << row.name;
        EXPECT_EQ(window_->cmd_Start()->isEnabled(), row.installEnabled) << row.name;
    }
}

}  // namespace
