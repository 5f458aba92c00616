#include <gtest/gtest.h>

#include "core/controls/controls.h"
#include "qt/window_fixture.h"

namespace {

using testsupport::kMarker;
using testsupport::WindowTest;

QColor TextColour(const QLineEdit* edit) {
    return edit->palette().color(QPalette::Text);
}

// Fixed in size, the focus in the POI field; the title, the size and the labels are checked
// where the window is scaled and by the smoke run.
TEST_F(WindowTest, FirstStartShowsBothFieldsMarkedRedAndNothingToInstall) {
    StartProgram();
    EXPECT_EQ(window_->minimumSize(), window_->maximumSize());
    EXPECT_EQ(Focused(), window_->txt_poi());
    for (const QLineEdit* field : {window_->txt_poi(), window_->txt_sd()}) {
        EXPECT_EQ(field->text(), kMarker) << field->objectName().toStdString();
        EXPECT_EQ(TextColour(field), QColor(Qt::red)) << field->objectName().toStdString();
    }
    EXPECT_FALSE(window_->cmd_Start()->isEnabled());
}

TEST_F(WindowTest, TabFollowsTheTableAndSkipsTheLabels) {
    StoreFolders("/poi/", "/sd/");
    StartProgram();
    for (const char* next : {"txt_sd", "cmd_Start", "cmd_quit", "txt_poi"}) {
        QTest::keyClick(Focused(), Qt::Key_Tab);
        EXPECT_EQ(Focused(), window_->Control(next)) << next;
    }
}

enum class Leave { ToMessageBox, ByTab, NotAtAll };

struct LeavingRow {
    const char* name;
    std::string stored;  // for txt_poi
    std::string typed;   // into txt_poi, cleared first
    Leave leave;
    std::string shown;
    bool red;
    bool installEnabled;
};

// Only a focus move to another control of the window checks the field; a message box taking
// the focus does not, nor does typing.
TEST_F(WindowTest, OnlyLeavingAFieldForAnotherControlChecksIt) {
    // clang-format off
    const LeavingRow rows[] = {
        {.name = "cleared, focus to a box", .stored = "/poi/", .typed = "",
         .leave = Leave::ToMessageBox, .shown = "", .red = false, .installEnabled = true},
        {.name = "cleared, Tab", .stored = "/poi/", .typed = "", .leave = Leave::ByTab,
         .shown = kMarker, .red = true, .installEnabled = false},
        {.name = "typed, not left", .stored = "", .typed = "/poi/", .leave = Leave::NotAtAll,
         .shown = "/poi/", .red = true, .installEnabled = false},
    };
    // clang-format on
    for (const LeavingRow& row : rows) {
        StartAfresh();
        StoreFolders(row.stored, "/sd/");
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
        }
        EXPECT_EQ(field->text().toStdString(), row.shown) << row.name;
        EXPECT_EQ(TextColour(field), QColor(row.red ? Qt::red : Qt::black)) << row.name;
        EXPECT_EQ(window_->cmd_Start()->isEnabled(), row.installEnabled) << row.name;
    }
}

TEST_F(WindowTest, TextBoxesHaveNoLengthLimit) {
    StartProgram();
    const QString pasted(40000, u'a');
    window_->txt_sd()->selectAll();
    window_->txt_sd()->insert(pasted);
    EXPECT_EQ(controls::Main().txt_sd.Text(), pasted.toStdString());
}

}  // namespace
