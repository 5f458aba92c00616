#include "core/utils/path_checks.h"

#include <gtest/gtest.h>

#include "support/fake_controls.h"

namespace {

TEST(CheckPathField, MarksOnlyAnEmptyFieldOrTheMarkerItself) {
    const struct {
        const char* name;
        const char* before;
        const char* after;
        std::uint32_t colour;
    } rows[] = {
        {.name = "empty", .before = "", .after = "unbekannt!", .colour = controls::kRed},
        {.name = "marker", .before = "unbekannt!", .after = "unbekannt!", .colour = controls::kRed},
        {.name = "spaces", .before = "   ", .after = "   ", .colour = controls::kBlack},
        {.name = "marker_other_case",
         .before = "Unbekannt!",
         .after = "Unbekannt!",
         .colour = controls::kBlack},
        {.name = "folder", .before = "/media/sd", .after = "/media/sd", .colour = controls::kBlack},
    };
    for (const auto& row : rows) {
        testsupport::FakeMainWindow window;
        window.txt_poi.text = row.before;
        window.txt_poi.colour = 12345;
        window.txt_sd.text = "/sd";
        Utils::CheckPathField(window.txt_poi);
        EXPECT_EQ(window.txt_poi.text, row.after) << row.name;
        EXPECT_EQ(window.txt_poi.colour, row.colour) << row.name;
        EXPECT_EQ(window.cmd_Start.enabled, row.colour == controls::kBlack) << row.name;
    }
}

}  // namespace
