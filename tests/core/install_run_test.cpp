#include <gtest/gtest.h>

#include <filesystem>
#include <optional>

#include "support/install_fixture.h"

namespace {

using testsupport::InstallTest;
using testsupport::NamesIn;
using testsupport::ReadFile;
using testsupport::StandardMessage;
using testsupport::WriteFile;
using Names = std::vector<std::string>;
using namespace std::string_literals;

const std::string kBlitzer = "Blitzer;blitz;1;3;X;0\r\n";

// The .csv wins and is staged under the .asc name; names differing in letter case are found. The
// device reads the settings in Windows-1252, the visual warning first; names stay UTF-8.
TEST_F(InstallTest, EachCategoryReachesTheCardFromItsOwnFiles) {
    WriteFile(poi + "marquill.csv", "Kamera;;1\r\nÖsterreich;;1;3;X;0\r\n");
    WriteFile(poi + "KAMERA.CSV", "from csv");
    WriteFile(poi + "Kamera.asc", "from asc");
    WriteFile(poi + "kamera.Bmp", "icon");
    WriteCategory("Österreich");
    WriteFile(card + "KAMERA.map", "old card file");
    WriteCompiler("test \"${1##*.}\" = asc || exit 1; "s + kWritesAllOutputs);
    PressInstall();
    EXPECT_EQ(runtime.Boxes().size(), 1u);  // the overwrite question, once
    EXPECT_EQ(ReadFile(card + "KAMERA.map"), "from csv");
    EXPECT_EQ(ReadFile(card + "ÖSTERREI.ini"),
              "[\xD6STERREI]\r\nactive=1\r\ndistance=200\r\ntime=0"
              "\r\nvisualWarning=0\r\nsoundWarning=1\r\n");
}

const Names kAll = {"BLITZ.bm", "BLITZ.chk", "BLITZ.ini", "BLITZ.map"};
const std::string kCritical = "16 Marquill: ";
const std::string kNoList = kCritical + "Konfugurationsdatei nicht gefunden!";
const std::string kAsk =
    "36 Marquill: Im Zielverzeichnis liegen Daten,\r\nsollen diese überschrieben werden?";
const std::string kNoData = kCritical + "Keine Daten zum Installieren gefunden!\r\n";
const std::string kNotFound = kCritical + StandardMessage(53, "Datei nicht gefunden");
const std::string kBadName = kCritical + StandardMessage(52, "Ungültiger Dateiname");

// How a run ends: its boxes ("style title: text"), whether it ended and stored the folders, and
// what is left on the card and in the staging folder. Nothing reaches the card before the
// compiler has run on the staged data and icon. The window test runs the strict stand-in compiler
// with a blank in the staging folder's path; here a blank and a quote in the short name must
// reach the compiler inside its argument, or it writes its outputs under another name.
struct EndCase {
    const char* name;
    std::optional<std::string> list = kBlitzer, compiler = InstallTest::kWritesAllOutputs;
    Names holds = {};    // on the card before the run
    Names blocked = {};  // folders where a staged file goes
    int answer = runtime::vbYes, presses = 1;
    Names boxes = {};
    bool ended = true, stored = false;
    Names card = {}, staging = {};
    friend void PrintTo(const EndCase& row, std::ostream* os) { *os << row.name; }
};

// clang-format off
const EndCase kEndCases[] = {
    {.name = "installed_past_blank_lines", .list = "\r\n\r\n" + kBlitzer + "\r\n", .stored = true,
     .card = kAll},
    {.name = "short_name_with_blank_and_quote", .list = "Blitzer;bl \"z;1\r\n", .stored = true,
     .card = {"BL \"Z.bm", "BL \"Z.chk", "BL \"Z.ini", "BL \"Z.map"}},
    {.name = "list_missing", .list = std::nullopt, .boxes = {kNoList}, .ended = false},
    {.name = "answer_no_twice", .holds = {"old.txt"}, .answer = runtime::vbNo, .presses = 2,
     .boxes = {kAsk, kAsk}, .ended = false, .card = {"old.txt"}},
    {.name = "no_category_has_data", .list = "  Kamera ;kam\r\nName;Kurz\r\n   \r\n",
     .boxes = {kNoData + "  Kamera ", kNoData + "Name", kNoData + "   "}, .stored = true},
    {.name = "compiler_missing", .compiler = std::nullopt,
     .boxes = {kCritical + testsupport::ErrorReport("Datei nicht gefunden", "Utils", "call_and_wait", 20)},
     .staging = {"BLITZ.asc", "BLITZ.bmp"}},
    {.name = "staging_copy_fails", .blocked = {"BLITZ.asc"},
     .boxes = {kCritical + StandardMessage(75, "Fehler beim Zugriff auf Pfad oder Datei")},
     .staging = {"BLITZ.asc"}},
    {.name = "compiler_leaves_out_the_map", .compiler = "echo c >$base.chk; echo >$base.bm",
     .boxes = {kNotFound}, .card = {"BLITZ.chk", "BLITZ.ini"}, .staging = {"BLITZ.bm"}},
    {.name = "short_name_with_slash", .list = "Blitzer;../../ab;1\r\n", .boxes = {kBadName}},
    {.name = "short_name_with_backslash", .list = "Blitzer;a\\b;1\r\n", .boxes = {kBadName}},
    {.name = "short_name_with_nul", .list = "Blitzer;a\0b;1\r\n"s, .boxes = {kBadName}},
};
// clang-format on

class RunEnds : public InstallTest, public ::testing::WithParamInterface<EndCase> {};

TEST_P(RunEnds, AsTheUserWouldExpect) {
    const EndCase& row = GetParam();
    if (row.list) WriteList(*row.list);
    WriteCategory("Blitzer");
    if (row.compiler) WriteCompiler(*row.compiler);
    for (const std::string& name : row.holds) WriteFile(card + name, "x");
    for (const std::string& name : row.blocked)
        std::filesystem::create_directories(Staging() + name);
    for (int press = 0; press < row.presses; ++press) {  // a run turned away lets the next start
        runtime.Answer(row.answer);
        PressInstall();
    }
    Names boxes;
    for (const auto& box : runtime.Boxes())
        boxes.push_back(std::to_string(box.style) + " " + box.title + ": " + box.text);
    EXPECT_EQ(boxes, row.boxes) << row.name;
    EXPECT_EQ(runtime.Ended(), row.ended) << row.name;
    std::int16_t flag = 0;
    EXPECT_EQ(vbreg::ReadRegString(vbreg::HKEY_LOCAL_MACHINE, vbreg::kSettingsKey, "Path_SD", flag),
              row.stored ? card : "")
        << row.name;
    EXPECT_EQ(NamesIn(card), row.card) << row.name;
    EXPECT_EQ(NamesIn(Staging()), row.staging) << row.name;
}

INSTANTIATE_TEST_SUITE_P(Cases, RunEnds, ::testing::ValuesIn(kEndCases),
                         [](const auto& info) { return std::string(info.param.name); });

// Window events run while the compiler works: a second press is ignored, and Beenden stores the
// POI folder first and stops the run. The window test checks what it stores.
TEST_F(InstallTest, DuringTheCompilerWaitASecondPressIsIgnoredAndQuitEndsTheRun) {
    WriteList(kBlitzer);
    WriteCategory("Blitzer");
    WriteCompiler("echo run >> \"" + root / "runs.log" + "\"; sleep 0.3; " + kWritesAllOutputs);
    runtime.onEvents = [&] {
        if (runtime.EventRuns() == 1) PressInstall();
        if (runtime.EventRuns() == 2) runtime::RunEventHandler(Main::cmd_quit_Click);
    };
    PressInstall();
    EXPECT_EQ(ReadFile(root / "runs.log"), "run\n");
    EXPECT_TRUE(runtime.Ended());
    const std::string hive = ReadFile(HivePath());  // the POI folder stored first
    EXPECT_LT(hive.find("Path_POI"), hive.find("Path_SD"));
}

}  // namespace
