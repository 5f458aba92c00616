// Runs the built program as the category build does, in temporary folders, for its contract on
// failure; reads the data file through the program's own reader for the line shapes and degree
// forms the demo lacks. The demo card, compiled by the smoke tests and pinned by its hash, holds
// the byte layout of the map, the icon and the check file.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "poicompiler/map.h"
#include "poicompiler/poi.h"
#include "support/temp_folder.h"

namespace {

using poicompiler::Poi;
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
};

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
        // Outputs named like an input would overwrite it.
        {.name = "IconNamedLikeAnOutput",
         .spoil = [](Scene& s) { s.args[1] = "BITMAP=" + s.dir / "./D.bm"; },
         .expected = "would be overwritten by the output"},
        // Blank lines count, a lone CR does not end a line.
        {.name = "Latitude91", .spoil = data("8.5,50.1,A\r3,4,b\r\n\r\n8.5,91,B\r\n"),
         .expected = "D.asc:3: latitude \"91\" is outside"},
        // The .chk fits under the cap, the .map does not.
        {.name = "WriteFailsAtSizeCap", .spoil = data("1,2," + std::string(5000, 'n')),
         .expected = "D.map: cannot write", .limitBlocks = 2},
    };
    // clang-format on
    for (const Row& row : rows) {
        Scene s("8.5,50.1,Ort A\r\n9.25,51.0,\"Ort, B\",Kommentar\r\n",
                ReadFile(MARQUILL_DEMO_ICON));
        row.spoil(s);
        const std::vector<std::string> before = testsupport::NamesIn(s.dir.Path());
        const auto [status, err] = RunCompiler(s.args, row.limitBlocks);
        EXPECT_NE(status, 0) << row.name;
        EXPECT_TRUE(err.starts_with("poicompiler: ") && err.find('\n') == err.size() - 1) << err;
        EXPECT_NE(err.find(row.expected), std::string::npos) << err;
        EXPECT_EQ(testsupport::NamesIn(s.dir.Path()), before) << row.name;
    }
}

// Line shapes and degree forms, then a last line without its end whose key equals an earlier
// point's.
TEST(Formats, EveryLineShapeAndDegreeFormIsRead) {
    const std::string text =
        "\357\273\2778.5,50.1,Plain name\r\n\r\n  \t\n"
        "9,51, \"Aral, Hauptstra\303\237e \"\"12\"\"\" , \"note, quoted\"\n"
        "10,52,  Trimmed  ,comment, with, commas \n11,53,\"\"\"\"\n"
        " -13.404954\t,+7,a\n.25,12.,b\n-0,0000000000000000000012,c\n"
        // Rounded half away from zero at the seventh decimal; the range is checked unrounded.
        "1.2345675,1.23456749,d\n-0.0000005,89.9999996,e\n-180,90.000000,f\n"
        "10,52,Stra\337e (8-bit), last line without end";
    // clang-format off
    const std::vector<Poi> read = {
        {8'500'000, 50'100'000, "Plain name", ""},
        {9'000'000, 51'000'000, "Aral, Hauptstra\303\237e \"12\"", "note, quoted"},
        {10'000'000, 52'000'000, "Trimmed", "comment, with, commas"},
        {11'000'000, 53'000'000, "\"", ""}, {-13'404'954, 7'000'000, "a", ""},
        {250'000, 12'000'000, "b", ""}, {0, 12'000'000, "c", ""}, {1'234'568, 1'234'567, "d", ""},
        {-1, 90'000'000, "e", ""}, {-180'000'000, 90'000'000, "f", ""},
        {10'000'000, 52'000'000, "Stra\337e (8-bit)", "last line without end"}};
    // clang-format on
    EXPECT_EQ(poicompiler::ParsePois(text, "D.asc"), read);
    // Points of the same key keep the order of the data file.
    const std::string map = poicompiler::EncodeMap(read);
    EXPECT_LT(map.find("Trimmed"), map.find("Stra\337e"));
}

}  // namespace
