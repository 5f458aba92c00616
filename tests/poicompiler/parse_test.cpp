// Unit tests of the POI line and argument rules, on the library.
#include <gtest/gtest.h>

#include "args.hpp"
#include "error.hpp"
#include "poi.hpp"

namespace poicompiler {
namespace {

struct DegreeCase {
    const char* text;
    int limit;
    DegreeStatus status;
    std::int32_t micro;
};

void PrintTo(const DegreeCase& c, std::ostream* os) {
    *os << '"' << c.text << '"';
}

class Degrees : public ::testing::TestWithParam<DegreeCase> {};

TEST_P(Degrees, Parse) {
    const DegreeCase& c = GetParam();
    const auto d = ParseDegrees(c.text, c.limit);
    EXPECT_EQ(d.status, c.status) << c.text;
    if (c.status == DegreeStatus::kOk) {
        EXPECT_EQ(d.micro, c.micro) << c.text;
    }
}

constexpr auto kOk = DegreeStatus::kOk;
constexpr auto kNaN = DegreeStatus::kNotANumber;
constexpr auto kRange = DegreeStatus::kOutOfRange;

// clang-format off
INSTANTIATE_TEST_SUITE_P(Table, Degrees, ::testing::Values(
    DegreeCase{"8.5", 180, kOk, 8'500'000}, DegreeCase{" -13.404954\t", 180, kOk, -13'404'954},
    DegreeCase{"+7", 180, kOk, 7'000'000}, DegreeCase{".25", 90, kOk, 250'000},
    DegreeCase{"12.", 90, kOk, 12'000'000}, DegreeCase{"-0", 90, kOk, 0},
    DegreeCase{"1.2345675", 90, kOk, 1'234'568}, DegreeCase{"1.23456749", 90, kOk, 1'234'567},
    DegreeCase{"-0.0000005", 90, kOk, -1}, DegreeCase{"89.9999996", 90, kOk, 90'000'000},
    DegreeCase{"90.000000", 90, kOk, 90'000'000}, DegreeCase{"-180", 180, kOk, -180'000'000},
    DegreeCase{"0000000000000000000012", 90, kOk, 12'000'000},
    DegreeCase{"90.0000001", 90, kRange, 0}, DegreeCase{"91", 90, kRange, 0},
    DegreeCase{"-180.00000001", 180, kRange, 0}, DegreeCase{"99999999999999999999", 180, kRange, 0},
    DegreeCase{"", 90, kNaN, 0}, DegreeCase{"-", 90, kNaN, 0}, DegreeCase{".", 90, kNaN, 0},
    DegreeCase{"abc", 90, kNaN, 0}, DegreeCase{"1e5", 90, kNaN, 0}, DegreeCase{"1,5", 90, kNaN, 0},
    DegreeCase{"1.2.3", 90, kNaN, 0}, DegreeCase{"- 1", 90, kNaN, 0}, DegreeCase{"0x10", 90, kNaN, 0}));
// clang-format on

TEST(ParsePois, LineShapes) {
    const std::string text =
        "\xEF\xBB\xBF"
        "8.5,50.1,Plain name\r\n"
        "\r\n"
        "  \t\n"
        "9,51, \"Aral, Hauptstra\xC3\x9F"
        "e \"\"12\"\"\" , \"note, quoted\"\n"
        "10,52,  Trimmed  ,comment, with, commas \n"
        "11,53,\"\"\"\"\n"
        "12,54,Stra\xDF"
        "e (8-bit), last line without end";
    const std::vector<Poi> pois = ParsePois(text, "X.asc");
    const std::vector<Poi> expected = {
        {8'500'000, 50'100'000, "Plain name", ""},
        {9'000'000, 51'000'000,
         "Aral, Hauptstra\xC3\x9F"
         "e \"12\"",
         "note, quoted"},
        {10'000'000, 52'000'000, "Trimmed", "comment, with, commas"},
        {11'000'000, 53'000'000, "\"", ""},
        {12'000'000, 54'000'000,
         "Stra\xDF"
         "e (8-bit)",
         "last line without end"},
    };
    EXPECT_EQ(pois, expected);
}

TEST(ParsePois, OverlongNameIsRejected) {
    const std::string line = "1,2," + std::string(65536, 'n') + "\n";
    EXPECT_THROW(ParsePois(line, "D.asc"), CompileError);
    EXPECT_EQ(ParsePois("1,2," + std::string(65535, 'n'), "D.asc").at(0).name.size(), 65535u);
}

TEST(Args, OutputsReplaceTheDataExtension) {
    const Args a = ParseArgs(
        {"/t/my dir/BLITZ.asc", "BITMAP=/t/B.bmp", "16BPP", "APP", "IMPORTANCE=1", "TRANSPARENT"});
    EXPECT_EQ(a.data, "/t/my dir/BLITZ.asc");
    EXPECT_EQ(a.bitmap, "/t/B.bmp");
    EXPECT_EQ(OutputPath(a.data, ".bm"), "/t/my dir/BLITZ.bm");
    EXPECT_EQ(OutputPath("/t/NOEXT", ".chk"), "/t/NOEXT.chk");
}

TEST(Args, IconThatAnOutputWouldOverwriteIsRejected) {
    EXPECT_THROW(
        ParseArgs({"/t/A.asc", "BITMAP=/t/./A.bm", "16BPP", "APP", "IMPORTANCE=1", "TRANSPARENT"}),
        CompileError);
}

}  // namespace
}  // namespace poicompiler
