#include <gtest/gtest.h>

#include <filesystem>
#include <optional>

#include "core/main/main_form.h"
#include "core/runtime/event_handler.h"
#include "support/install_fixture.h"

namespace {

using testsupport::InstallTest;
using testsupport::ReadFile;
using testsupport::WriteFile;
using Names = std::vector<std::string>;

const std::string kBlitzer = "Blitzer;blitz;1;3;X;0\r\n";
const std::string kWritesAll = InstallTest::kWritesAllOutputs;

// Presses "Installieren" as the window would: inside the event guard.
void PressInstall() {
    runtime::RunEventHandler(Main::cmd_Start_Click);
}

// The names in a folder, sorted; none for a folder that does not exist.
Names FilesIn(const std::string& folder) {
    Names names;
    if (!std::filesystem::is_directory(folder)) return names;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

// The compiler logs its own path, each argument on a line, and what is staged at its time.
TEST_F(InstallTest, CompilerGetsEachPathWholeWhateverTheFoldersAndShortNameHold) {
    const struct {
        const char* name;
        const char* navman;
        const char* windows;
        const char* column;
        const char* staged;
    } rows[] = {
        {.name = "plain", .navman = "nav", .windows = "w", .column = "blitz", .staged = "BLITZ"},
        {.name = "navman_with_space",
         .navman = "Nav Man",
         .windows = "w",
         .column = "blitz",
         .staged = "BLITZ"},
        {.name = "navman_trailing_slash",
         .navman = "nav/",
         .windows = "w",
         .column = "blitz",
         .staged = "BLITZ"},
        {.name = "home_with_space",
         .navman = "nav",
         .windows = "Anna Maria/w",
         .column = "blitz",
         .staged = "BLITZ"},
        {.name = "short_name_with_space_and_quote",
         .navman = "nav",
         .windows = "w",
         .column = "bl \"z",
         .staged = "BL \"Z"},
    };
    const std::string log = root.Path() + "/compiler.log";
    for (const auto& row : rows) {
        const std::string navmanFolder = root / row.navman, windows = root / row.windows;
        const std::string staged = windows + "/temp/" + row.staged;
        std::filesystem::create_directories(navmanFolder);
        std::filesystem::create_directories(windows + "/temp");
        vbreg::WriteRegString(vbreg::kNtVersionKey, "SystemRoot", windows);
        window.txt_navman.caption = navmanFolder;
        WriteCompilerAt(navmanFolder,
                        "{ echo \"$0\"; printf '%s\\n' \"$@\"; test -f \"$base.bmp\" "
                        "&& test ! -f \"$base.ini\" && ls \"" +
                            card + "\" | wc -l; } > \"" + log + "\"; " + kWritesAll);
        WriteList(std::string("Blitzer;") + row.column + ";1\r\n");
        WriteCategory("Blitzer");
        runtime.Restart();
        PressInstall();
        EXPECT_EQ(ReadFile(log), navmanFolder + "/poicompiler\n" + staged + ".asc\nBITMAP=" +
                                     staged + ".bmp\n16BPP\nAPP\nIMPORTANCE=1\nTRANSPARENT\n0\n")
            << row.name;
        EXPECT_EQ(FilesIn(card).size(), 4u) << row.name;
        std::filesystem::remove_all(card);
        std::filesystem::create_directory(card);
    }
}

// The device reads the settings in Windows-1252, the visual warning first; names stay UTF-8.
TEST_F(InstallTest, SettingsReachTheCardInTheEightBitCodePage) {
    WriteList("Österreich;;1;3;X;0\r\n");
    WriteCategory("Österreich");
    WriteCompiler();
    PressInstall();
    EXPECT_EQ(ReadFile(card + "ÖSTERREI.ini"),
              "[\xD6STERREI]\r\nactive=1\r\ndistance=200\r\ntime=0"
              "\r\nvisualWarning=0\r\nsoundWarning=1\r\n");
}

// The .csv wins and is staged under the .asc name; names differing in letter case are found,
// and stale staged files of the same name are replaced.
TEST_F(InstallTest, CsvIsPreferredAndNamesAreFoundInAnyLetterCase) {
    WriteList("Kamera;;1\r\n");
    std::filesystem::rename(poi + "MARQUILL.CSV", poi + "marquill.csv");
    WriteFile(poi + "KAMERA.CSV", "from csv");
    WriteFile(poi + "Kamera.asc", "from asc");
    WriteFile(poi + "kamera.Bmp", "icon");
    std::filesystem::create_directories(Staging());
    WriteFile(Staging() + "kamera.asc", "stale");
    WriteCompiler("test \"${1##*.}\" = asc || exit 1; " + kWritesAll);
    PressInstall();
    EXPECT_EQ(ReadFile(card + "KAMERA.map"), "from csv");
    EXPECT_EQ(FilesIn(Staging()), Names{});
}

TEST_F(InstallTest, LaterLineWithTheSameShortNameReplacesTheEarlier) {
    WriteList("Eins;gleich;1\r\nZwei;gleich;0\r\n");
    WriteCategory("Eins", ".csv", "eins");
    WriteCategory("Zwei", ".csv", "zwei");
    WriteFile(card + "GLEICH.map", "old card file");
    WriteCompiler();
    PressInstall();
    EXPECT_EQ(runtime.Boxes().size(), 1u);  // the overwrite question, once
    EXPECT_EQ(ReadFile(card + "GLEICH.map"), "zwei");
}

// How a run ends: its boxes ("style text"), whether it ended and stored the folders, and what
// is left on the card and in the staging folder.
struct EndCase {
    const char* name;
    std::optional<std::string> list = kBlitzer;
    const char* listName = "MARQUILL.CSV";
    std::optional<std::string> compiler = kWritesAll;
    Names cardHolds = {};  // a name ending in "/" is a folder
    bool cardFolder = true;
    int answer = runtime::vbYes;
    Names boxes = {};
    bool ended = true;
    bool stored = false;
    Names card = {};
    Names staging = {};
    friend void PrintTo(const EndCase& row, std::ostream* os) { *os << row.name; }
};

const std::string kNoData = "16 Keine Daten zum Installieren gefunden!\r\n";
std::string Standard(const std::string& number, const std::string& description) {
    return "16 Laufzeitfehler '" + number + "':\r\n\r\n" + description;
}

const EndCase kEndCases[] = {
    {.name = "blitzer_installed",
     .stored = true,
     .card = {"BLITZ.bm", "BLITZ.chk", "BLITZ.ini", "BLITZ.map"}},
    {.name = "list_missing",
     .list = std::nullopt,
     .boxes = {"16 Konfugurationsdatei nicht gefunden!"},
     .ended = false},
    {.name = "hidden_list_counts_as_missing",
     .listName = ".MARQUILL.CSV",
     .boxes = {"16 Konfugurationsdatei nicht gefunden!"},
     .ended = false},
    {.name = "answer_no",
     .cardHolds = {"old.txt"},
     .answer = runtime::vbNo,
     .boxes = {"36 Im Zielverzeichnis liegen Daten,\r\nsollen diese überschrieben werden?"},
     .ended = false,
     .card = {"old.txt"}},
    {.name = "subfolders_and_hidden_files_ask_nothing",
     .list = "\r\n\r\n",
     .cardHolds = {".hidden", "sub/"},
     .stored = true,
     .card = {".hidden", "sub"}},
    {.name = "no_category_has_data",
     .list = "  Kamera ;kam\r\nName;Kurz\r\n   \r\n",
     .boxes = {kNoData + "  Kamera ", kNoData + "Name", kNoData + "   "},
     .stored = true},
    {.name = "compiler_missing",
     .compiler = std::nullopt,
     .boxes = {"16 Datei nicht gefunden\r\nModul   : Utils\r\nFunktion: call_and_wait\r\n"
               "Zeile   : 20\r\n"},
     .staging = {"BLITZ.asc", "BLITZ.bmp"}},
    {.name = "compiler_leaves_out_the_map",
     .compiler = "echo c >\"$base.chk\"; echo >\"$base.bm\"",
     .boxes = {Standard("53", "Datei nicht gefunden")},
     .card = {"BLITZ.chk", "BLITZ.ini"},
     .staging = {"BLITZ.bm"}},
    {.name = "compiler_deletes_its_input",
     .compiler = kWritesAll + "; rm \"$1\"",
     .boxes = {Standard("53", "Datei nicht gefunden")},
     .staging = {"BLITZ.bm", "BLITZ.bmp", "BLITZ.chk", "BLITZ.ini", "BLITZ.map"}},
    {.name = "card_folder_missing",
     .cardFolder = false,
     .boxes = {Standard("76", "Pfad nicht gefunden")},
     .staging = {"BLITZ.bm", "BLITZ.chk", "BLITZ.ini", "BLITZ.map"}},
    {.name = "short_name_with_a_separator_writes_nothing",
     .list = "Blitzer;../../ab;1\r\n",
     .boxes = {Standard("52", "Ungültiger Dateiname")}},
    {.name = "short_name_with_a_nul_writes_nothing",
     .list = std::string("Blitzer;a\0b;1\r\n", 16),
     .boxes = {Standard("52", "Ungültiger Dateiname")}},
    {.name = "distance_overflow",
     .list = "Blitzer;blitz;1;40000\r\n",
     .boxes = {Standard("6", "Überlauf")}},
};

class RunEnds : public InstallTest, public ::testing::WithParamInterface<EndCase> {};

TEST_P(RunEnds, AsTheUserWouldExpect) {
    const EndCase& row = GetParam();
    if (row.list) WriteFile(poi + row.listName, *row.list);
    WriteCategory("Blitzer");
    if (row.compiler) WriteCompiler(*row.compiler);
    for (const std::string& name : row.cardHolds) {
        if (name.ends_with('/')) std::filesystem::create_directory(card + name);
        if (!name.ends_with('/')) WriteFile(card + name, "x");
    }
    if (!row.cardFolder) std::filesystem::remove(card);
    runtime.Answer(row.answer);
    PressInstall();
    Names boxes;
    for (const auto& box : runtime.Boxes()) {
        EXPECT_EQ(box.title, "Marquill") << row.name;
        boxes.push_back(std::to_string(box.style) + " " + box.text);
    }
    EXPECT_EQ(boxes, row.boxes) << row.name;
    EXPECT_EQ(runtime.Ended(), row.ended) << row.name;
    EXPECT_EQ(Stored("Path_SD"), row.stored ? card : "") << row.name;
    EXPECT_EQ(FilesIn(card), row.card) << row.name;
    EXPECT_EQ(FilesIn(Staging()), row.staging) << row.name;
}

INSTANTIATE_TEST_SUITE_P(Cases, RunEnds, ::testing::ValuesIn(kEndCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(InstallTest, AfterAnsweringNoTheButtonStartsARunAgain) {
    WriteList("");
    WriteFile(card + "old.txt", "x");
    runtime.Answer(runtime::vbNo);
    PressInstall();
    EXPECT_FALSE(runtime.Ended());
    PressInstall();
    EXPECT_EQ(runtime.Boxes().size(), 2u);
    EXPECT_TRUE(runtime.Ended());
}

TEST_F(InstallTest, ASecondPressDuringTheCompilerWaitIsIgnored) {
    WriteList(kBlitzer);
    WriteCategory("Blitzer");
    const std::string log = root.Path() + "/runs.log";
    WriteCompiler("echo run >> \"" + log + "\"; sleep 0.3; " + kWritesAll);
    runtime.onEvents = [&] {
        if (runtime.EventRuns() == 1) PressInstall();
    };
    PressInstall();
    EXPECT_EQ(ReadFile(log), "run\n");
    EXPECT_EQ(FilesIn(card).size(), 4u);
}

TEST_F(InstallTest, QuitDuringTheCompilerWaitStoresTheFoldersAndStopsTheRun) {
    WriteList(kBlitzer);
    WriteCategory("Blitzer");
    WriteCompiler("sleep 0.3; " + kWritesAll);
    runtime.onEvents = [] { runtime::RunEventHandler(Main::cmd_quit_Click); };
    PressInstall();
    EXPECT_TRUE(runtime.Ended());
    EXPECT_EQ(Stored("Path_SD"), card);
    EXPECT_EQ(FilesIn(card), Names{});
}

}  // namespace
