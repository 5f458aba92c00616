// Reads the outputs back by the byte layout documented in tools/poicompiler/README.md alone.
#include <gtest/gtest.h>

#include <algorithm>
#include <tuple>

#include "chk.hpp"
#include "test_support.hpp"

namespace pctest {
namespace {

struct MapPoint {
    std::int32_t lon, lat;
    std::string name, comment;
    auto operator<=>(const MapPoint&) const = default;
};

// The records after the 28-byte header.
std::vector<MapPoint> ReadMap(const std::string& map) {
    std::vector<MapPoint> points;
    std::size_t at = 28;
    const auto text = [&map, &at] {
        const std::size_t size = Le(map, at, 2);
        at += 2 + size;
        return map.substr(at - size, size);
    };
    for (std::uint32_t left = Le(map, 8); left > 0; --left) {
        const std::int32_t lon = Le(map, at), lat = Le(map, at + 4);
        at += 8;
        points.push_back({lon, lat, text(), text()});  // braces evaluate left to right
    }
    EXPECT_EQ(at, map.size()) << "trailing bytes after the last record";
    return points;
}

// The documented key, bit by bit.
std::uint64_t ZKey(const MapPoint& p) {
    const std::uint64_t x = p.lon + 180'000'000ll, y = p.lat + 90'000'000ll;
    std::uint64_t key = 0;
    for (int k = 0; k < 32; ++k) key |= ((x >> k) & 1) << (2 * k) | ((y >> k) & 1) << (2 * k + 1);
    return key;
}

// Line shapes and degree forms, then random points across the whole range, then a last line
// without its end.
TEST(Formats, MapRoundTripInZOrderAndChkOfTheOutputs) {
    std::string text =
        "\357\273\2778.5,50.1,Plain name\r\n\r\n  \t\n"
        "9,51, \"Aral, Hauptstra\303\237e \"\"12\"\"\" , \"note, quoted\"\n"
        "10,52,  Trimmed  ,comment, with, commas \n11,53,\"\"\"\"\n"
        " -13.404954\t,+7,a\n.25,12.,b\n-0,0000000000000000000012,c\n"
        // Rounded half away from zero at the seventh decimal; the range is checked unrounded.
        "1.2345675,1.23456749,d\n-0.0000005,89.9999996,e\n-180,90.000000,f\n";
    // clang-format off
    std::vector<MapPoint> written = {
        {8'500'000, 50'100'000, "Plain name", ""},
        {9'000'000, 51'000'000, "Aral, Hauptstra\303\237e \"12\"", "note, quoted"},
        {10'000'000, 52'000'000, "Trimmed", "comment, with, commas"}, {11'000'000, 53'000'000, "\"", ""},
        {-13'404'954, 7'000'000, "a", ""}, {250'000, 12'000'000, "b", ""}, {0, 12'000'000, "c", ""},
        {1'234'568, 1'234'567, "d", ""}, {-1, 90'000'000, "e", ""}, {-180'000'000, 90'000'000, "f", ""}};
    // clang-format on
    std::uint32_t seed = 12345;
    const auto next = [&seed] { return seed = seed * 1103515245u + 12345u; };
    for (int i = 0; i < 500; ++i) {
        const std::int32_t lon = next() % 360'000'001 - 180'000'000,
                           lat = next() % 180'000'001 - 90'000'000;
        written.push_back({lon, lat, "P, " + std::to_string(i), "K\xC3\xA4 " + std::to_string(i)});
        char line[64];
        std::snprintf(line, sizeof line, "%.6f,%.6f,\"P, %d\",K\xC3\xA4 %d\r\n", lon / 1e6,
                      lat / 1e6, i, i);
        text += line;
    }
    text += "12,54,Stra\337e (8-bit), last line without end";
    written.push_back({12'000'000, 54'000'000, "Stra\337e (8-bit)", "last line without end"});
    const TempDir dir;
    ASSERT_EQ(Compile(dir, text, MakeBmp(2, 2, 24, false, [](int, int) { return 0x102030u; })), 0);
    const std::string map = ReadFile(dir / "D.map"), bm = ReadFile(dir / "D.bm");

    const auto lon = std::ranges::minmax(written, {}, &MapPoint::lon);
    const auto lat = std::ranges::minmax(written, {}, &MapPoint::lat);
    EXPECT_EQ(map.substr(0, 28), "MQMP" + LeBytes(4, 1, written.size(), lon.min.lon, lat.min.lat,
                                                  lon.max.lon, lat.max.lat));
    std::ranges::stable_sort(written, {}, ZKey);  // equal keys keep the order of the data file
    EXPECT_EQ(ReadMap(map), written);

    ASSERT_EQ(poicompiler::Crc32("123456789"), 0xCBF43926u);  // the common CRC-32
    EXPECT_EQ(ReadFile(dir / "D.chk"),
              "MQCK" + LeBytes(4, 1, written.size(), map.size(), poicompiler::Crc32(map), bm.size(),
                               poicompiler::Crc32(bm)));
}

std::uint16_t To565(std::uint32_t rgb) {  // 0xRRGGBB: the top 5, 6 and 5 bits of R, G and B
    return static_cast<std::uint16_t>((rgb >> 19 & 0x1F) << 11 | (rgb >> 10 & 0x3F) << 5 |
                                      (rgb >> 3 & 0x1F));
}

// Distinct colours per pixel, so a flipped or shifted row shows.
std::uint32_t Gradient(int x, int y) {
    return (40 * x + 8) << 16 | (60 * y + 4) << 8 | (200 - 16 * (x + y));
}

class EmptyDataAndIcon : public ::testing::TestWithParam<std::tuple<int, bool, int>> {};

// No points; the icon's pixels top row first in RGB565, the top-left one the transparent colour.
TEST_P(EmptyDataAndIcon, GiveAnEmptyMapAndTheIconPixels) {
    const auto [bits, top_down, width] = GetParam();
    const TempDir dir;
    ASSERT_EQ(Compile(dir, "", MakeBmp(width, 3, bits, top_down, Gradient)), 0);

    EXPECT_EQ(ReadFile(dir / "D.map"), "MQMP" + LeBytes(4, 1, 0, 0, 0, 0, 0));
    std::string bm = "MQBM" + LeBytes(2, 1, width, 3, To565(Gradient(0, 0)));
    for (int i = 0; i < 3 * width; ++i) bm += LeBytes(2, To565(Gradient(i % width, i / width)));
    EXPECT_EQ(ReadFile(dir / "D.bm"), bm);
}

// Widths 3 and 5 need row padding in both depths; 4 needs none at 8 bits.
INSTANTIATE_TEST_SUITE_P(DepthsAndOrders, EmptyDataAndIcon,
                         ::testing::Combine(::testing::Values(8, 24), ::testing::Bool(),
                                            ::testing::Values(3, 4, 5)));

}  // namespace
}  // namespace pctest
