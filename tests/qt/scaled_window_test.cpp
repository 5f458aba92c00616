#include <gtest/gtest.h>

#include <QLabel>
#include <QStyle>
#include <cmath>

#include "qt/window_fixture.h"
#include "resources/main_layout.h"

namespace {

using testsupport::WindowTest;

// How far the painted size is from the table's at the scale factor, past a pixel of rounding;
// empty when it is not.
std::string OffTheTable(QSize painted, int width, int height, double factor) {
    const QSize expected(std::lround(width * factor), std::lround(height * factor));
    if (std::abs(painted.width() - expected.width()) <= 1 &&
        std::abs(painted.height() - expected.height()) <= 1)
        return "";
    return "painted " + std::to_string(painted.width()) + "x" + std::to_string(painted.height()) +
           ", table " + std::to_string(expected.width()) + "x" + std::to_string(expected.height());
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
// the window, and its text fits inside it.
TEST_F(WindowTest, ScaledTheLayoutKeepsItsProportionsAndTextStaysInside) {
    const double factor = qEnvironmentVariable("QT_SCALE_FACTOR", "1").toDouble();
    StartProgram();
    window_->lbl_active()->setText("Blitzer mobil");
    window_->lbl_active()->show();
    EXPECT_EQ(OffTheTable(window_->grab().size(), 590, 255, factor), "");
    for (const auto& entry : layout::kMainControls) {
        QWidget* control = window_->Control(entry.name);
        const QRect table(entry.left / 15, entry.top / 15, entry.width / 15, entry.height / 15);
        EXPECT_EQ(control->geometry(), table) << entry.name;
        EXPECT_EQ(OffTheTable(control->grab().size(), table.width(), table.height(), factor), "")
            << entry.name;
        const QSize needed = NeededFor(*control);
        EXPECT_LE(needed.width(), control->width()) << entry.name;
        EXPECT_LE(needed.height(), control->height()) << entry.name;
    }
}

}  // namespace
