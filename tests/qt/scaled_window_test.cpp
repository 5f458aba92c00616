#include <gtest/gtest.h>

#include <QLabel>
#include <QStyle>

#include "qt/window_fixture.h"
#include "resources/main_layout.h"

namespace {

using testsupport::WindowTest;

// The size painted at the scale factor is the table's, past a pixel of rounding.
void ExpectPaintedAtScale(QSize painted, QSize table, double factor, std::string_view what) {
    EXPECT_NEAR(painted.width(), table.width() * factor, 1.5) << what;
    EXPECT_NEAR(painted.height(), table.height() * factor, 1.5) << what;
}

// The room a control's text needs inside the frame and margins the style draws around it.
QSize NeededFor(const QWidget& control) {
    const QFontMetrics metrics(control.font());
    const int frame = control.style()->pixelMetric(QStyle::PM_DefaultFrameWidth);
    if (const auto* button = qobject_cast<const QPushButton*>(&control)) {
        const int margin = control.style()->pixelMetric(QStyle::PM_ButtonMargin);
        return {metrics.horizontalAdvance(button->text()) + 2 * margin,
                metrics.height() + 2 * frame};
    }
    if (const auto* label = qobject_cast<const QLabel*>(&control))
        return {metrics.horizontalAdvance(label->text()), metrics.height()};
    // A line edit scrolls its text sideways and keeps a pixel above and below it.
    return {0, metrics.height() + 2 * frame + 2};
}

// Each control sits where the layout table (in twips, 15 to a pixel) puts it; painted at the
// scale factor (CTest runs this at QT_SCALE_FACTOR 1, 1.5 and 2), it keeps the table's share of
// the window, and its text fits inside it. The window cannot be resized.
TEST_F(WindowTest, ScaledTheLayoutKeepsItsProportionsAndTextStaysInside) {
    const double factor = qEnvironmentVariable("QT_SCALE_FACTOR", "1").toDouble();
    StartProgram();
    window_->lbl_active()->setText("Blitzer mobil");
    window_->lbl_active()->show();
    EXPECT_EQ(window_->minimumSize(), window_->maximumSize());  // fixed in size
    ExpectPaintedAtScale(window_->grab().size(), QSize(590, 255), factor, "window");
    for (const auto& entry : layout::kMainControls) {
        QWidget* control = window_->Control(entry.name);
        const QRect table(entry.left / 15, entry.top / 15, entry.width / 15, entry.height / 15);
        EXPECT_EQ(control->geometry(), table) << entry.name;
        ExpectPaintedAtScale(control->grab().size(), table.size(), factor, entry.name);
        const QSize needed = NeededFor(*control);
        EXPECT_LE(needed.width(), control->width()) << entry.name;
        EXPECT_LE(needed.height(), control->height()) << entry.name;
    }
}

}  // namespace
