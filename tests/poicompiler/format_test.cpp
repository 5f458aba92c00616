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
    bool operator<(const MapPoint& o) const {
        return std::tie(lon, lat, name, comment) < std::tie(o.lon, o.lat, o.name, o.comment);
    }
    bool operator==(const MapPoint&) const = default;
};

std::vector<MapPoint> ReadMap(const std::string& map) {
    EXPECT_EQ(map.substr(0, 4), "MQMP");
    EXPECT_EQ(Le16(map, 4), 1);
    const std::uint32_t count = Le32(map, 8);
    std::vector<MapPoint> points;
    std::size_t at = 28;
    for (std::uint32_t i = 0; i < count; ++i) {
        MapPoint p{static_cast<std::int32_t>(Le32(map, at)),
                   static_cast<std::int32_t>(Le32(map, at + 4)), "", ""};
        at += 8;
        const std::uint16_t name_len = Le16(map, at);
        p.name = map.substr(at + 2, name_len);
        at += 2 + name_len;
        const std::uint16_t comment_len = Le16(map, at);
        p.comment = map.substr(at + 2, comment_len);
        at += 2 + comment_len;
        points.push_back(p);
    }
    EXPECT_EQ(at, map.size()) << "trailing bytes after the last record";
    return points;
}

// The documented key, computed bit by bit.
std::uint64_t ZKey(std::int32_t lon, std::int32_t lat) {
    const auto x = static_cast<std::uint64_t>(std::int64_t{lon} + 180'000'000);
    const auto y = static_cast<std::uint64_t>(std::int64_t{lat} + 90'000'000);
    std::uint64_t key = 0;
    for (int bit = 0; bit < 32; ++bit) {
        key |= ((x >> bit) & 1) << (2 * bit) | ((y >> bit) & 1) << (2 * bit + 1);
    }
    return key;
}

TEST(MapFormat, RoundTripGivesThePointsWrittenInZOrder) {
    TempDir dir;
    std::string text;
    std::vector<MapPoint> written;
    std::int32_t min_lon = 180'000'000, min_lat = 90'000'000, max_lon = -min_lon,
                 max_lat = -min_lat;
    std::uint32_t seed = 12345;
    const auto next = [&seed] { return seed = seed * 1103515245u + 12345u; };
    for (int i = 0; i < 500; ++i) {
        const std::int32_t lon = static_cast<std::int32_t>(next() % 360'000'001) - 180'000'000;
        const std::int32_t lat = static_cast<std::int32_t>(next() % 180'000'001) - 90'000'000;
        const std::string name = "P" + std::to_string(i) + (i % 3 ? "" : ", mit Komma");
        const std::string comment = i % 2 ? "Kommentar \xC3\xA4 " + std::to_string(i) : "";
        char coords[64];
        std::snprintf(coords, sizeof coords, "%s%d.%06d,%s%d.%06d", lon < 0 ? "-" : "",
                      std::abs(lon) / 1'000'000, std::abs(lon) % 1'000'000, lat < 0 ? "-" : "",
                      std::abs(lat) / 1'000'000, std::abs(lat) % 1'000'000);
        text += std::string(coords) + ",\"" + name + "\"" + (comment.empty() ? "" : ",") + comment +
                "\r\n";
        written.push_back({lon, lat, name, comment});
        min_lon = std::min(min_lon, lon);
        max_lon = std::max(max_lon, lon);
        min_lat = std::min(min_lat, lat);
        max_lat = std::max(max_lat, lat);
    }
    WriteFile(dir / "D.asc", text);
    WriteFile(dir / "D.bmp", MakeBmp(2, 2, 24, false, [](int, int) { return Rgb{0, 0, 0}; }));
    ASSERT_EQ(RunCompiler(StandardArgs(dir / "D.asc", dir / "D.bmp")).exit_code, 0);

    const std::string map = ReadFile(dir / "D.map");
    std::vector<MapPoint> read = ReadMap(map);
    for (std::size_t i = 1; i < read.size(); ++i) {
        ASSERT_LE(ZKey(read[i - 1].lon, read[i - 1].lat), ZKey(read[i].lon, read[i].lat)) << i;
    }
    EXPECT_EQ(static_cast<std::int32_t>(Le32(map, 12)), min_lon);
    EXPECT_EQ(static_cast<std::int32_t>(Le32(map, 16)), min_lat);
    EXPECT_EQ(static_cast<std::int32_t>(Le32(map, 20)), max_lon);
    EXPECT_EQ(static_cast<std::int32_t>(Le32(map, 24)), max_lat);
    std::sort(read.begin(), read.end());
    std::sort(written.begin(), written.end());
    EXPECT_EQ(read, written);
}

std::uint16_t To565(Rgb c) {
    return static_cast<std::uint16_t>((c.r >> 3) << 11 | (c.g >> 2) << 5 | (c.b >> 3));
}

// Distinct colours per pixel, so a flipped or shifted row shows.
Rgb Gradient(int x, int y) {
    return {static_cast<std::uint8_t>(40 * x + 8), static_cast<std::uint8_t>(60 * y + 4),
            static_cast<std::uint8_t>(200 - 16 * (x + y))};
}

class BmFormat : public ::testing::TestWithParam<std::tuple<int, bool, int>> {};

TEST_P(BmFormat, PixelsTopDownInRgb565WithTopLeftTransparent) {
    const auto [bits, top_down, width] = GetParam();
    const int height = 3;
    TempDir dir;
    WriteFile(dir / "D.asc", "");
    WriteFile(dir / "D.bmp", MakeBmp(width, height, bits, top_down, Gradient));
    ASSERT_EQ(RunCompiler(StandardArgs(dir / "D.asc", dir / "D.bmp")).exit_code, 0);

    const std::string bm = ReadFile(dir / "D.bm");
    ASSERT_EQ(bm.size(), 12u + 2u * static_cast<std::size_t>(width * height));
    EXPECT_EQ(bm.substr(0, 4), "MQBM");
    EXPECT_EQ(Le16(bm, 4), 1);
    EXPECT_EQ(Le16(bm, 6), width);
    EXPECT_EQ(Le16(bm, 8), height);
    EXPECT_EQ(Le16(bm, 10), To565(Gradient(0, 0)));
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            EXPECT_EQ(Le16(bm, 12 + 2 * static_cast<std::size_t>(y * width + x)),
                      To565(Gradient(x, y)))
                << x << "," << y;
        }
    }
}

// Widths 3 and 5 need row padding in both depths; 4 needs none at 8 bits.
INSTANTIATE_TEST_SUITE_P(DepthsAndOrders, BmFormat,
                         ::testing::Combine(::testing::Values(8, 24), ::testing::Bool(),
                                            ::testing::Values(3, 4, 5)));

TEST(ChkFormat, CountsSizesAndChecksumsOfTheOtherOutputs) {
    TempDir dir;
    WriteFile(dir / "D.asc", "1,2,a\n3,4,b\n5,6,c\n");
    WriteFile(dir / "D.bmp", MakeBmp(3, 2, 8, true, Gradient));
    ASSERT_EQ(RunCompiler(StandardArgs(dir / "D.asc", dir / "D.bmp")).exit_code, 0);

    const std::string chk = ReadFile(dir / "D.chk");
    const std::string map = ReadFile(dir / "D.map");
    const std::string bm = ReadFile(dir / "D.bm");
    ASSERT_EQ(chk.size(), 28u);
    EXPECT_EQ(chk.substr(0, 4), "MQCK");
    EXPECT_EQ(Le16(chk, 4), 1);
    EXPECT_EQ(Le32(chk, 8), 3u);
    EXPECT_EQ(Le32(chk, 12), map.size());
    EXPECT_EQ(Le32(chk, 16), poicompiler::Crc32(map));
    EXPECT_EQ(Le32(chk, 20), bm.size());
    EXPECT_EQ(Le32(chk, 24), poicompiler::Crc32(bm));
}

TEST(ChkFormat, Crc32MatchesTheStandardCheckValues) {
    EXPECT_EQ(poicompiler::Crc32(""), 0u);
    EXPECT_EQ(poicompiler::Crc32("123456789"), 0xCBF43926u);
    EXPECT_EQ(poicompiler::Crc32("The quick brown fox jumps over the lazy dog"), 0x414FA339u);
}

}  // namespace
}  // namespace pctest
