// Runs the built program as the category build does, in temporary folders, and reads its outputs
// by the byte layout documented in tools/poicompiler/README.md alone.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <functional>

#include "poicompiler/chk.h"
#include "support/temp_folder.h"

namespace {

using testsupport::ReadFile;
using testsupport::WriteFile;

// Runs the built program; gives its wait status (0: exited with 0) and its stderr. With
// `limitBlocks` > 0 every file it writes is capped at that many 512-byte blocks, and a longer
// write fails instead of killing it.
std::pair<int, std::string> RunCompiler(const std::vector<std::string>& args, int limitBlocks) {
    const testsupport::TempFolder log;
    std::string cmd = "exec </dev/null >/dev/null 2>'" + log / "err" + "'; trap '' XFSZ; ";
    if (limitBlocks > 0) cmd += "ulimit -f " + std::to_string(limitBlocks) + "; ";
    cmd += "exec '" POICOMPILER_EXE "'";
    for (const std::string& a : args) cmd += " '" + a + "'";  // test arguments hold no quote
    const int status = std::system(cmd.c_str());
    return {status, ReadFile(log / "err")};
}

// A folder holding the data file D.asc and the icon D.bmp, and the command line that compiles them.
struct Scene {
    testsupport::TempFolder dir;
    std::string data = dir / "D.asc", icon = dir / "D.bmp";
    std::vector<std::string> args = {data,  "BITMAP=" + icon, "16BPP",
                                     "APP", "IMPORTANCE=1",   "TRANSPARENT"};
    Scene(const std::string& text, const std::string& bmp) {
        WriteFile(data, text);
        WriteFile(icon, bmp);
    }
    int Compile() const { return RunCompiler(args, 0).first; }
};

// Each value as a little-endian field of `size` bytes.
template <class... Values>
std::string LeBytes(int size, Values... values) {
    std::string out;
    for (const std::int64_t v : {static_cast<std::int64_t>(values)...})
        for (int i = 0; i < size; ++i) out.push_back(static_cast<char>(v >> (8 * i)));
    return out;
}

// Distinct colours per pixel, so a flipped or shifted row shows.
std::uint32_t Gradient(int x, int y) {
    return (40 * x + 8) << 16 | (60 * y + 4) << 8 | (200 - 16 * (x + y));
}

// An uncompressed 24-bit BMP of the gradient, bottom row first. The demo's icons, installed by
// the smoke test to the same bytes each time, hold the other depth and order.
std::string MakeBmp(int width, int height) {
    std::string pixels;
    for (int row = height - 1; row >= 0; --row) {
        for (int x = 0; x < width; ++x) pixels += LeBytes(3, Gradient(x, row));  // B, G, R
        pixels.append(-pixels.size() & 3, '\0');  // rows end on a 4-byte boundary
    }
    return "BM" +
           LeBytes(4, 54 + pixels.size(), 0, 54, 40, width, height, 1 | 24 << 16, 0, pixels.size(),
                   2835, 2835, 0, 0) +
           pixels;
}

// The reader's own refusals are the fuzz targets' business; these are the program's contract:
// one line on stderr, a non-zero exit, and no output, not even a temporary.
TEST(Failure, OneLineNonZeroExitAndNoOutput) {
    const auto data = [](const std::string& text) {
        return [text](Scene& s) { WriteFile(s.data, text); };
    };
    // What spoils the scene, a part of the one stderr line, and a cap on the files written.
    // clang-format off
    struct Row { const char* name; std::function<void(Scene&)> spoil; const char* expected;
                 int limitBlocks = 0; };
    const Row rows[] = {
        {.name = "MissingArgument", .spoil = [](Scene& s) { s.args.pop_back(); },
         .expected = "expected 6 arguments, got 5"},
        {.name = "WrongKeyword", .spoil = [](Scene& s) { s.args[2] = "16bpp"; },
         .expected = "argument 3 is \"16bpp\""},
        // Outputs named like an input would overwrite it.
        {.name = "IconNamedLikeAnOutput",
         .spoil = [](Scene& s) { s.args[1] = "BITMAP=" + s.dir / "./D.bm"; },
         .expected = "would be overwritten by the output"},
        {.name = "MissingIcon", .spoil = [](Scene& s) { std::filesystem::remove(s.icon); },
         .expected = "D.bmp: cannot read"},
        // Blank lines count, a lone CR does not end a line.
        {.name = "Latitude91", .spoil = data("8.5,50.1,A\r3,4,b\r\n\r\n8.5,91,B\r\n"),
         .expected = "D.asc:3: latitude \"91\" is outside"},
        // The .chk fits under the cap, the .map does not.
        {.name = "WriteFailsAtSizeCap", .spoil = data("1,2," + std::string(5000, 'n')),
         .expected = "D.map: cannot write", .limitBlocks = 2},
    };
    // clang-format on
    for (const Row& row : rows) {
        Scene s("8.5,50.1,Ort A\r\n9.25,51.0,\"Ort, B\",Kommentar\r\n", MakeBmp(4, 3));
        row.spoil(s);
        const std::vector<std::string> before = testsupport::NamesIn(s.dir.Path());
        const auto [status, err] = RunCompiler(s.args, row.limitBlocks);
        EXPECT_NE(status, 0) << row.name;
        EXPECT_TRUE(err.starts_with("poicompiler: ") && err.find('\n') == err.size() - 1) << err;
        EXPECT_NE(err.find(row.expected), std::string::npos) << err;
        EXPECT_EQ(testsupport::NamesIn(s.dir.Path()), before) << row.name;
    }
}

int To565(std::uint32_t rgb) {  // 0xRRGGBB: the top 5, 6 and 5 bits of R, G and B
    return (rgb >> 19 & 0x1F) << 11 | (rgb >> 10 & 0x3F) << 5 | (rgb >> 3 & 0x1F);
}

struct MapPoint {
    std::int32_t lon, lat;
    std::string name, comment;
};

// The documented key, bit by bit.
std::uint64_t ZKey(const MapPoint& p) {
    const std::uint64_t x = p.lon + 180'000'000ll, y = p.lat + 90'000'000ll;
    std::uint64_t key = 0;
    for (int k = 0; k < 32; ++k) key |= ((x >> k) & 1) << (2 * k) | ((y >> k) & 1) << (2 * k + 1);
    return key;
}

// Line shapes and degree forms, then a last line without its end whose key equals an earlier
// point's. The icon's pixels top row first in RGB565, the top-left one the transparent colour.
TEST(Formats, MapInZOrderAndChkOfTheOutputs) {
    const std::string text =
        "\357\273\2778.5,50.1,Plain name\r\n\r\n  \t\n"
        "9,51, \"Aral, Hauptstra\303\237e \"\"12\"\"\" , \"note, quoted\"\n"
        "10,52,  Trimmed  ,comment, with, commas \n11,53,\"\"\"\"\n"
        " -13.404954\t,+7,a\n.25,12.,b\n-0,0000000000000000000012,c\n"
        // Rounded half away from zero at the seventh decimal; the range is checked unrounded.
        "1.2345675,1.23456749,d\n-0.0000005,89.9999996,e\n-180,90.000000,f\n"
        "11,53,Stra\337e (8-bit), last line without end";
    // clang-format off
    std::vector<MapPoint> written = {
        {8'500'000, 50'100'000, "Plain name", ""},
        {9'000'000, 51'000'000, "Aral, Hauptstra\303\237e \"12\"", "note, quoted"},
        {10'000'000, 52'000'000, "Trimmed", "comment, with, commas"},
        {11'000'000, 53'000'000, "\"", ""}, {-13'404'954, 7'000'000, "a", ""},
        {250'000, 12'000'000, "b", ""}, {0, 12'000'000, "c", ""}, {1'234'568, 1'234'567, "d", ""},
        {-1, 90'000'000, "e", ""}, {-180'000'000, 90'000'000, "f", ""},
        {11'000'000, 53'000'000, "Stra\337e (8-bit)", "last line without end"}};
    // clang-format on
    Scene s(text, MakeBmp(3, 2));
    ASSERT_EQ(s.Compile(), 0);

    const auto x = std::ranges::minmax(written, {}, &MapPoint::lon);
    const auto y = std::ranges::minmax(written, {}, &MapPoint::lat);
    std::string map =
        "MQMP" + LeBytes(4, 1, written.size(), x.min.lon, y.min.lat, x.max.lon, y.max.lat);
    std::ranges::stable_sort(written, {}, ZKey);  // equal keys keep the order of the data file
    for (const MapPoint& p : written)
        map += LeBytes(4, p.lon, p.lat) + LeBytes(2, p.name.size()) + p.name +
               LeBytes(2, p.comment.size()) + p.comment;
    EXPECT_EQ(ReadFile(s.dir / "D.map"), map);

    std::string bm = "MQBM" + LeBytes(2, 1, 3, 2, To565(Gradient(0, 0)));
    for (int i = 0; i < 6; ++i) bm += LeBytes(2, To565(Gradient(i % 3, i / 3)));
    EXPECT_EQ(ReadFile(s.dir / "D.bm"), bm);
    ASSERT_EQ(poicompiler::Crc32("123456789"), 0xCBF43926u);  // the common CRC-32
    EXPECT_EQ(ReadFile(s.dir / "D.chk"),
              "MQCK" + LeBytes(4, 1, written.size(), map.size(), poicompiler::Crc32(map), bm.size(),
                               poicompiler::Crc32(bm)));
}

}  // namespace
