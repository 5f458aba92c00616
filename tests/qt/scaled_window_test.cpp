#include <gtest/gtest.h>

#include <QLabel>
#include <QStyle>
#include <cmath>

#include "qt/window_fixture.h"
#include "resources/main_layout.h"

namespace {

using testsupport::WindowTest;

// CTest runs this test at QT_SCALE_FACTOR 1, 1.5 and 2.
double ScaleFactor() {
    return qEnvironmentVariable("QT_SCALE_FACTOR", "1").toDouble();
}

QSize Scaled(int width, int height, double factor) {
    return {static_cast<int>(std::lround(width * factor)),
            static_cast<int>(std::lround(height * factor))};
}

bool AboutEqual(QSize painted, QSize expected) {
    return std::abs(painted.width() - expected.width()) <= 1 &&
           std::abs(painted.height() - expected.height()) <= 1;
}

std::string Describe(QSize size) {
    return std::to_string(size.width()) + "x" + std::to_string(size.height());
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
// scale factor, it keeps the table's share of the window, and its text fits inside it.
TEST_F(WindowTest, ScaledTheLayoutKeepsItsProportionsAndTextStaysInside) {
    const double factor = ScaleFactor();
    StartProgram();
    window_->lbl_active()->setText("Blitzer mobil");
    window_->lbl_active()->show();
    EXPECT_DOUBLE_EQ(window_->devicePixelRatio(), factor);
    const QSize window = window_->grab().size();
    EXPECT_TRUE(AboutEqual(window, Scaled(590, 255, factor))) << Describe(window);
    EXPECT_EQ(window_->cmd_quit()->geometry(), QRect(424, 216, 153, 25));
    for (const auto& entry : layout::kMainControls) {
        QWidget* control = window_->Control(entry.name);
        const QRect table(entry.left / 15, entry.top / 15, entry.width / 15, entry.height / 15);
        EXPECT_EQ(control->geometry(), table) << entry.name;
        const QSize painted = control->grab().size();
        const QSize expected = Scaled(table.width(), table.height(), factor);
        EXPECT_TRUE(AboutEqual(painted, expected))
            << entry.name << " painted " << Describe(painted) << ", table " << Describe(expected);
        const QSize needed = NeededFor(*control);
        EXPECT_LE(needed.width(), control->width()) << entry.name;
        EXPECT_LE(needed.height(), control->height()) << entry.name;
    }
}

}  // namespace
