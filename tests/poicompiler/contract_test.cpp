// Runs the built program as the category build does, in temporary folders.
#include <gtest/gtest.h>

#include <functional>

#include "test_support.hpp"

namespace pctest {
namespace {

// One folder with a valid data file and icon, to be spoilt by each failure case.
struct Scene {
    TempDir dir;
    fs::path data = dir / "BLITZ.asc", icon = dir / "BLITZ.bmp";
    std::vector<std::string> args = StandardArgs(data, icon);
    Scene() {
        WriteFile(data, "8.5,50.1,Ort A\r\n9.25,51.0,\"Ort, B\",Kommentar\r\n");
        WriteFile(icon, MakeBmp(4, 3, 24, false, [](int, int) { return 0u; }));
    }
};

using Spoil = std::function<void(Scene&)>;

Spoil Data(const std::string& text) {
    return [text](Scene& s) { WriteFile(s.data, text); };
}

Spoil IconByte(std::size_t at, char value) {
    return [at, value](Scene& s) { WriteFile(s.icon, ReadFile(s.icon).replace(at, 1, 1, value)); };
}

struct FailureCase {
    const char* name;
    Spoil spoil;
    const char* expected;  // part of the one stderr line
    int limit_blocks = 0;  // caps the size of the files written
};

const FailureCase kFailures[] = {
    {"MissingArgument", [](Scene& s) { s.args.pop_back(); }, "expected 6 arguments, got 5"},
    // A short name with a space reaches the program split in two.
    {"NameSplitAtSpace", [](Scene& s) { s.args.insert(s.args.begin() + 1, "MOB.asc"); }, "got 7"},
    {"WrongKeyword", [](Scene& s) { s.args[2] = "16bpp"; }, "argument 3 is \"16bpp\""},
    {"BitmapWithoutPrefix", [](Scene& s) { s.args[1] = "B.bmp"; }, "does not start with BITMAP="},
    // Outputs named like an input would overwrite it.
    {"DataNamedLikeAnOutput", [](Scene& s) { s.args[0] = s.dir / "D.map"; }, "output extension"},
    {"IconNamedLikeAnOutput",
     [](Scene& s) { s.args[1] = "BITMAP=" + (s.dir / "./BLITZ.bm").string(); },
     "would be overwritten by the output"},
    {"MissingIcon", [](Scene& s) { fs::remove(s.icon); }, "BLITZ.bmp: cannot read"},
    {"DataIsAFolder", [](Scene& s) { s.args[0] = s.dir.path; }, ": cannot read: Is a directory"},
    {"FourBitIcon", IconByte(28, 4), "BLITZ.bmp: unsupported colour depth of 4 bits"},
    {"CompressedIcon", IconByte(30, 1), "BLITZ.bmp: compressed BMP"},
    {"NotABmp", IconByte(0, 'G'), "BLITZ.bmp: not a BMP file"},
    {"Truncated", [](Scene& s) { WriteFile(s.icon, ReadFile(s.icon).substr(0, 60)); },
     "BLITZ.bmp: truncated BMP"},
    {"LineNotNumbers", Data("abc,def,x\n"), ":1: longitude \"abc\" is not a decimal number"},
    {"Latitude91", Data("8.5,50.1,A\r\n\r\n8.5,91,B\r\n"),
     ":3: latitude \"91\" is outside -90..90"},
    {"Longitude180", Data("-180.000001,0,W\n"), "longitude \"-180.000001\" is outside -180..180"},
    {"Exponent", Data("1e5,0,a\n"), "longitude \"1e5\" is not a decimal number"},
    {"HexNumber", Data("0,0x10,a\n"), "latitude \"0x10\" is not a decimal number"},
    {"HugeNumber", Data("99999999999999999999,0,a\n"), "\" is outside -180..180"},
    {"JustAbove90", Data("0,90.0000001,a\n"), "latitude \"90.0000001\" is outside -90..90"},
    {"NameMissing", Data("8.5,50.1\n"), ":1: expected longitude,latitude,name[,comment]"},
    {"NameEmpty", Data("1,2,ok\n\n1,2,\"\"\n"), "BLITZ.asc:3: empty name"},
    {"QuoteOpen", Data("1,2,\"open\n"), "BLITZ.asc:1: unterminated quote in name"},
    {"TextAfterQuote", Data("1,2,\"a\"b\n"), "BLITZ.asc:1: unexpected text after the quoted name"},
    {"TextAfterQuotedComment", Data("1,2,a,\"c\"d\n"), "after the quoted comment"},
    // A lone CR does not end a line, so the third point is on line 2.
    {"LoneCrIsNoLineEnd", Data("1,2,a\r3,4,b\n5,x,c\n"), "BLITZ.asc:2: latitude \"x\" is not"},
    {"NameTooLong", Data("1,2," + std::string(65536, 'n')), "BLITZ.asc:1: text longer than 65535"},
    // The .chk fits under the cap, the .map does not: nothing, not even a temporary, may remain.
    {"WriteFailsAtSizeCap", Data("1,2," + std::string(5000, 'n')), "BLITZ.map: cannot write", 2},
};

class Failure : public ::testing::TestWithParam<FailureCase> {};

TEST_P(Failure, OneLineNonZeroExitAndNoOutput) {
    Scene s;
    GetParam().spoil(s);
    const std::set<fs::path> before = s.dir.Names();

    const auto [status, err] = RunCompiler(s.args, GetParam().limit_blocks);

    EXPECT_NE(status, 0);
    EXPECT_TRUE(err.starts_with("poicompiler: ") && err.find('\n') == err.size() - 1) << err;
    EXPECT_NE(err.find(GetParam().expected), std::string::npos) << err;
    EXPECT_EQ(s.dir.Names(), before);
}

INSTANTIATE_TEST_SUITE_P(Contract, Failure, ::testing::ValuesIn(kFailures),
                         [](const auto& info) { return std::string(info.param.name); });

// Each demo category with files compiles to three outputs beside its untouched inputs, replacing
// the outputs of an earlier run.
TEST(Contract, DemoCategoriesCompile) {
    for (const char* name : {"Blitzer.csv", "Blitzer mobil.csv", "Ladestationen.csv",
                             "Raststätten.csv", "Tankstellen.asc"}) {
        const fs::path data = fs::path(POICOMPILER_DEMO_DIR) / name,
                       icon = fs::path(data).replace_extension(".bmp");
        const TempDir dir;
        WriteFile(dir / "D.map", "stale");
        ASSERT_EQ(Compile(dir, ReadFile(data), ReadFile(icon)), 0) << name;
        EXPECT_EQ(dir.Names(), (std::set<fs::path>{dir / "D.asc", dir / "D.bm", dir / "D.bmp",
                                                   dir / "D.chk", dir / "D.map"}));
        EXPECT_EQ(ReadFile(dir / "D.asc") + ReadFile(dir / "D.bmp"),
                  ReadFile(data) + ReadFile(icon));
        EXPECT_GE(Le(ReadFile(dir / "D.map"), 8), 20u) << name;  // the stale file would throw
    }
}

}  // namespace
}  // namespace pctest
