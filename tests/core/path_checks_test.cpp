#include <gtest/gtest.h>

#include "core/utils/utils.h"
#include "support/fake_controls.h"

namespace {

using testsupport::FakeMainWindow;

struct FieldCase {
    const char* name;
    const char* before;
    const char* after;
    std::uint32_t colour;
};

class CheckPathFieldCases : public ::testing::TestWithParam<FieldCase> {};

TEST_P(CheckPathFieldCases, MarksOnlyEmptyOrMarkerText) {
    FakeMainWindow window;
    window.txt_poi.text = GetParam().before;
    window.txt_poi.colour = 12345;
    Utils::CheckPathField(window.txt_poi);
    EXPECT_EQ(window.txt_poi.text, GetParam().after);
    EXPECT_EQ(window.txt_poi.colour, GetParam().colour);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CheckPathFieldCases,
    ::testing::Values(FieldCase{"empty", "", "unbekannt!", controls::kRed},
                      FieldCase{"marker", "unbekannt!", "unbekannt!", controls::kRed},
                      FieldCase{"blanks", "   ", "   ", controls::kBlack},
                      FieldCase{"capitalised_marker", "Unbekannt!", "Unbekannt!", controls::kBlack},
                      FieldCase{"marker_with_leading_blank", " unbekannt!", " unbekannt!",
                                controls::kBlack},
                      FieldCase{"folder", "/media/sd", "/media/sd", controls::kBlack}),
    [](const auto& info) { return std::string(info.param.name); });

struct ButtonCase {
    const char* navman;
    const char* poi;
    const char* sd;
    bool enabled;
};

class UpdateInstallButtonCases : public ::testing::TestWithParam<ButtonCase> {};

TEST_P(UpdateInstallButtonCases, OnlyTheMarkerDisables) {
    FakeMainWindow window;
    window.txt_navman.caption = GetParam().navman;
    window.txt_poi.text = GetParam().poi;
    window.txt_sd.text = GetParam().sd;
    window.cmd_Start.enabled = !GetParam().enabled;
    Utils::UpdateInstallButton();
    EXPECT_EQ(window.cmd_Start.enabled, GetParam().enabled);
}

INSTANTIATE_TEST_SUITE_P(Cases, UpdateInstallButtonCases,
                         ::testing::Values(ButtonCase{"", "/p", "/s", true},
                                           ButtonCase{"unbekannt!", "/p", "/s", false},
                                           ButtonCase{"/n", "unbekannt!", "/s", false},
                                           ButtonCase{"/n", "/p", "unbekannt!", false},
                                           ButtonCase{"/n", "", "", true},
                                           ButtonCase{"UNBEKANNT!", "/p", "/s", true}));

TEST(CheckPathField, SettlesTheButtonFromTheOtherFieldToo) {
    FakeMainWindow window;
    window.txt_poi.text = "/poi";
    window.txt_sd.text = "unbekannt!";
    Utils::CheckPathField(window.txt_poi);
    EXPECT_FALSE(window.cmd_Start.enabled);
    window.txt_sd.text = "/sd";
    Utils::CheckPathField(window.txt_poi);
    EXPECT_TRUE(window.cmd_Start.enabled);
}

}  // namespace
