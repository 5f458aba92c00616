// Runs the built program as the category build does, in temporary folders.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "test_support.hpp"

namespace pctest {
namespace {

Rgb Checker(int x, int y) {
    return (x + y) % 2 ? Rgb{255, 0, 255} : Rgb{10, 200, 30};
}

// One folder with a valid data file and icon, to be spoilt by each failure case.
struct Scene {
    TempDir dir;
    fs::path data = dir / "BLITZ.asc";
    fs::path icon = dir / "BLITZ.bmp";
    Scene() {
        WriteFile(data, "8.5,50.1,Ort A\r\n9.25,51.0,\"Ort, B\",Kommentar\r\n");
        WriteFile(icon, MakeBmp(4, 3, 24, false, Checker));
    }
    std::vector<std::string> Args() const { return StandardArgs(data, icon); }
};

// A failure case spoils the scene, then names what the one stderr line must contain.
struct FailureCase {
    const char* name;
    std::function<std::vector<std::string>(Scene&)> spoil;
    const char* expected;
};

std::function<std::vector<std::string>(Scene&)> Data(const char* text) {
    return [text](Scene& s) {
        WriteFile(s.data, text);
        return s.Args();
    };
}

std::function<std::vector<std::string>(Scene&)> Edit(void (*edit)(std::vector<std::string>&)) {
    return [edit](Scene& s) {
        auto a = s.Args();
        edit(a);
        return a;
    };
}

std::function<std::vector<std::string>(Scene&)> IconByte(std::size_t at, char value) {
    return [at, value](Scene& s) {
        std::string bmp = ReadFile(s.icon);
        bmp[at] = value;
        WriteFile(s.icon, bmp);
        return s.Args();
    };
}

const FailureCase kFailures[] = {
    {"MissingArgument", Edit([](auto& a) { a.pop_back(); }), "expected 6 arguments, got 5"},
    {"ShortNameSplitAtSpace", Edit([](auto& a) { a.insert(a.begin() + 1, "MOB.asc"); }),
     "expected 6 arguments, got 7"},
    {"WrongKeyword", Edit([](auto& a) { a[2] = "16bpp"; }), "argument 3 is \"16bpp\""},
    {"BitmapWithoutPrefix", Edit([](auto& a) { a[1] = "ICON.bmp"; }),
     "does not start with BITMAP="},
    {"DataNamedLikeAnOutput",
     [](Scene& s) {
         fs::rename(s.data, s.dir / "BLITZ.map");
         return StandardArgs(s.dir / "BLITZ.map", s.icon);
     },
     "has an output extension"},
    {"MissingIcon",
     [](Scene& s) {
         fs::remove(s.icon);
         return s.Args();
     },
     "BLITZ.bmp: cannot read"},
    {"MissingData",
     [](Scene& s) {
         fs::remove(s.data);
         return s.Args();
     },
     "BLITZ.asc: cannot read"},
    {"DataIsAFolder",
     [](Scene& s) {
         fs::remove(s.data);
         fs::create_directory(s.data);
         return s.Args();
     },
     "BLITZ.asc: cannot read"},
    {"FourBitIcon", IconByte(28, 4), "BLITZ.bmp: unsupported colour depth of 4 bits"},
    {"CompressedIcon", IconByte(30, 1), "BLITZ.bmp: compressed BMP"},
    {"NotABmp", IconByte(0, 'G'), "BLITZ.bmp: not a BMP file"},
    {"TruncatedIcon",
     [](Scene& s) {
         WriteFile(s.icon, ReadFile(s.icon).substr(0, 60));
         return s.Args();
     },
     "BLITZ.bmp: truncated BMP"},
    {"LineNotNumbers", Data("abc,def,x\n"),
     "BLITZ.asc:1: longitude \"abc\" is not a decimal number"},
    {"LatitudeNinetyOne", Data("8.5,50.1,A\r\n\r\n8.5,91,B\r\n"),
     "BLITZ.asc:3: latitude \"91\" is outside -90..90"},
    {"LongitudeBeyond180", Data("-180.000001,0,W\n"),
     "BLITZ.asc:1: longitude \"-180.000001\" is outside -180..180"},
    {"NameMissing", Data("8.5,50.1\n"), "BLITZ.asc:1: expected longitude,latitude,name[,comment]"},
    {"NameEmpty", Data("1,2,ok\n\n1,2,\n"), "BLITZ.asc:3: empty name"},
    {"QuotedNameEmpty", Data("1,2,\"\"\n"), "BLITZ.asc:1: empty name"},
    {"QuoteOpen", Data("1,2,\"open\n"), "BLITZ.asc:1: unterminated quote in name"},
    {"TextAfterQuote", Data("1,2,\"a\"b\n"), "BLITZ.asc:1: unexpected text after the quoted name"},
    {"TextAfterQuotedComment", Data("1,2,a,\"c\"d\n"),
     "BLITZ.asc:1: unexpected text after the quoted comment"},
    // A lone CR does not end a line, so the third point is on line 2.
    {"LoneCrIsNoLineEnd", Data("1,2,a\r3,4,b\n5,x,c\n"),
     "BLITZ.asc:2: latitude \"x\" is not a decimal number"},
};

void PrintTo(const FailureCase& c, std::ostream* os) {
    *os << c.name;
}

class Failure : public ::testing::TestWithParam<FailureCase> {};

TEST_P(Failure, OneLineNonZeroExitAndNoOutput) {
    Scene scene;
    const std::vector<std::string> args = GetParam().spoil(scene);
    const std::set<std::string> before = scene.dir.Names();

    const RunResult r = RunCompiler(args);

    EXPECT_NE(r.exit_code, 0);
    EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
    EXPECT_EQ(r.err.back(), '\n');
    EXPECT_NE(r.err.find(GetParam().expected), std::string::npos) << r.err;
    EXPECT_EQ(scene.dir.Names(), before);
}

INSTANTIATE_TEST_SUITE_P(Contract, Failure, ::testing::ValuesIn(kFailures),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(Contract, WritesThreeOutputsBesideDataAndKeepsInputs) {
    Scene scene;
    const std::string data = ReadFile(scene.data);
    const std::string icon = ReadFile(scene.icon);

    const RunResult r = RunCompiler(scene.Args());

    ASSERT_EQ(r.exit_code, 0) << r.err;
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(scene.dir.Names(), (std::set<std::string>{"BLITZ.asc", "BLITZ.bm", "BLITZ.bmp",
                                                        "BLITZ.chk", "BLITZ.map"}));
    EXPECT_EQ(ReadFile(scene.data), data);
    EXPECT_EQ(ReadFile(scene.icon), icon);
}

TEST(Contract, ReplacesOutputsOfAnEarlierRun) {
    Scene scene;
    WriteFile(scene.dir / "BLITZ.map", "stale");
    ASSERT_EQ(RunCompiler(scene.Args()).exit_code, 0);
    const std::string map = ReadFile(scene.dir / "BLITZ.map");
    EXPECT_EQ(map.substr(0, 4), "MQMP");
    EXPECT_EQ(Le32(map, 8), 2u);
}

TEST(Contract, EmptyDataCompilesToZeroPoints) {
    Scene scene;
    WriteFile(scene.data, "");
    ASSERT_EQ(RunCompiler(scene.Args()).exit_code, 0);
    EXPECT_EQ(ReadFile(scene.dir / "BLITZ.map").size(), 28u);
    EXPECT_EQ(Le32(ReadFile(scene.dir / "BLITZ.chk"), 8), 0u);
}

TEST(Contract, FailedWriteLeavesNeitherOutputsNorTemporaries) {
    Scene scene;
    std::string many;
    for (int i = 0; i < 200; ++i) many += "8." + std::to_string(i) + ",50.5,Punkt\n";
    WriteFile(scene.data, many);
    const std::set<std::string> before = scene.dir.Names();

    const RunResult r = RunCompiler(scene.Args(), 1000);

    EXPECT_NE(r.exit_code, 0);
    EXPECT_NE(r.err.find("BLITZ.map: cannot write"), std::string::npos) << r.err;
    EXPECT_EQ(scene.dir.Names(), before);
}

// Every category of the demo that has its files must compile.
TEST(Contract, DemoCategoriesCompile) {
    const fs::path demo = POICOMPILER_DEMO_DIR;
    int compiled = 0;
    for (const auto& entry : fs::directory_iterator(demo)) {
        const fs::path p = entry.path();
        if (p.extension() != ".bmp") continue;
        fs::path data = fs::path(p).replace_extension(".csv");
        if (!fs::exists(data)) data.replace_extension(".asc");
        TempDir dir;
        fs::copy_file(data, dir / "CAT.asc");
        fs::copy_file(p, dir / "CAT.bmp");
        const RunResult r = RunCompiler(StandardArgs(dir / "CAT.asc", dir / "CAT.bmp"));
        ASSERT_EQ(r.exit_code, 0) << p << ": " << r.err;
        EXPECT_GE(Le32(ReadFile(dir / "CAT.chk"), 8), 20u) << p;
        ++compiled;
    }
    EXPECT_EQ(compiled, 5);
}

}  // namespace
}  // namespace pctest
