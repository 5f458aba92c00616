#include "core/utils/path_checks.h"

#include <gtest/gtest.h>

#include "support/fake_controls.h"

namespace {

struct FieldCase {
    const char* before;
    const char* after;
    std::uint32_t colour;
};

TEST(CheckPathField, MarksOnlyAnEmptyFieldOrTheMarkerItself) {
    const FieldCase cases[] = {{"", "unbekannt!", controls::kRed},
                               {"unbekannt!", "unbekannt!", controls::kRed},
                               {"   ", "   ", controls::kBlack},
                               {"Unbekannt!", "Unbekannt!", controls::kBlack},
                               {" unbekannt!", " unbekannt!", controls::kBlack},
                               {"/media/sd", "/media/sd", controls::kBlack}};
    for (const auto& c : cases) {
        testsupport::FakeMainWindow window;
        window.txt_poi.text = c.before;
        window.txt_poi.colour = 12345;
        window.txt_sd.text = "/sd";
        Utils::CheckPathField(window.txt_poi);
        EXPECT_EQ(window.txt_poi.text, c.after) << '"' << c.before << '"';
        EXPECT_EQ(window.txt_poi.colour, c.colour) << '"' << c.before << '"';
        EXPECT_EQ(window.cmd_Start.enabled, c.colour == controls::kBlack) << c.before;
    }
}

}  // namespace
