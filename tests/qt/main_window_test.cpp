#include <gtest/gtest.h>

#include "core/controls/controls.h"
#include "qt/window_fixture.h"

namespace {

using testsupport::WindowTest;

QColor TextColour(const QLineEdit* edit) {
    return edit->palette().color(QPalette::Text);
}

// The focus starts in the POI field.
TEST_F(WindowTest, TabFollowsTheTableAndSkipsTheLabels) {
    StoreFolders("/poi/", "/sd/");
    StartProgram();
    for (const char* next : {"txt_sd", "cmd_Start", "cmd_quit", "txt_poi"}) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        EXPECT_EQ(QApplication::focusWidget(), window_->Control(next)) << next;
    }
}

// Only a focus move to another control of the window checks a field (the ways out through
// Beenden show it): a message box taking the focus does not, nor does typing.
TEST_F(WindowTest, NeitherAMessageBoxTakingTheFocusNorTypingChecksAField) {
    StoreFolders("/poi/", "");
    StartProgram();
    QLineEdit* poi = window_->txt_poi();
    QTest::keyClick(poi, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(poi, Qt::Key_Backspace);
    QFocusEvent focusOut(QEvent::FocusOut, Qt::ActiveWindowFocusReason);
    QApplication::sendEvent(poi, &focusOut);
    EXPECT_EQ(poi->text(), "");
    EXPECT_EQ(TextColour(poi), QColor(Qt::black));
    QTest::keyClick(window_->txt_sd(), Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(window_->txt_sd(), "/sd/");
    EXPECT_EQ(TextColour(window_->txt_sd()), QColor(Qt::red));
    EXPECT_FALSE(window_->cmd_Start()->isEnabled());
}

TEST_F(WindowTest, TextBoxesHaveNoLengthLimit) {
    StartProgram();
    const QString pasted(40000, u'a');
    window_->txt_sd()->selectAll();
    window_->txt_sd()->insert(pasted);
    EXPECT_EQ(controls::Main().txt_sd.Text(), pasted.toStdString());
}

}  // namespace
