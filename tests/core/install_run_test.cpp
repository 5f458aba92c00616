#include <gtest/gtest.h>

#include <filesystem>

#include "core/main/main_form.h"
#include "core/runtime/event_handler.h"
#include "support/install_fixture.h"

namespace {

using testsupport::InstallTest;
using testsupport::ReadFile;
using testsupport::WriteFile;
using Names = std::vector<std::string>;

const std::string kBlitzer = "Blitzer;blitz;1;3;X;0\r\n";
const Names kBlitzOnCard{"BLITZ.bm", "BLITZ.chk", "BLITZ.ini", "BLITZ.map"};

// Presses "Installieren" as the window would: inside the event guard.
void PressInstall() {
    runtime::RunEventHandler(Main::cmd_Start_Click);
}

Names FilesIn(const std::string& folder) {
    Names names;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

TEST_F(InstallTest, BlitzerLandsOnTheCardWithItsSixSettingLines) {
    WriteList(kBlitzer);
    WriteCategory("Blitzer");
    WriteCompiler();
    PressInstall();
    EXPECT_TRUE(runtime.Boxes().empty());
    EXPECT_EQ(ReadFile(card + "BLITZ.ini"),
              "[BLITZ]\r\nactive=1\r\ndistance=200\r\ntime=0\r\nvisualWarning=0\r\n"
              "soundWarning=1\r\n");
    EXPECT_EQ(FilesIn(card), kBlitzOnCard);
    EXPECT_EQ(FilesIn(Staging()), Names{});
    EXPECT_TRUE(runtime.Ended());
    EXPECT_EQ(Stored("Path_POI"), poi);
    EXPECT_EQ(Stored("Path_SD"), card);
}

// The compiler sees its own path, its arguments, and what is staged at its time.
TEST_F(InstallTest, CompilerGetsTheCommandLineForEachKindOfNavManFolder) {
    const std::string log = root.Path() + "/compiler.log";
    const std::string staged = Staging() + "BLITZ";
    for (const std::string folder : {"navman2", "Nav Man", "navman3/"}) {
        const std::string navmanFolder = root.Path() + "/" + folder;
        std::filesystem::create_directories(navmanFolder);
        window.txt_navman.caption = navmanFolder;
        WriteCompilerAt(navmanFolder,
                        "{ echo \"$0\"; for a in \"$@\"; do echo \"$a\"; done; test -f "
                        "\"$base.bmp\" && echo icon-staged; test -f \"$base.ini\" || echo "
                        "no-ini-yet; ls \"" +
                            card + "\" | wc -l; } > \"" + log + "\"; " + kWritesAllOutputs);
        WriteList(kBlitzer);
        WriteCategory("Blitzer");
        PressInstall();
        EXPECT_EQ(ReadFile(log), navmanFolder + "/poicompiler\n" + staged +
                                     ".asc\nBITMAP=" + staged +
                                     ".bmp\n16BPP\nAPP\nIMPORTANCE=1\nTRANSPARENT\n"
                                     "icon-staged\nno-ini-yet\n0\n");
        std::filesystem::remove_all(card);
        std::filesystem::create_directory(card);
        runtime.Restart();
    }
}

TEST_F(InstallTest, CsvIsPreferredAndStagedUnderTheAscName) {
    WriteList("Kamera;;1\r\n");
    WriteCategory("Kamera", ".csv", "from csv");
    WriteFile(poi + "Kamera.asc", "from asc");
    WriteCompiler("test \"${1##*.}\" = asc || exit 1; " + std::string(kWritesAllOutputs));
    PressInstall();
    EXPECT_EQ(ReadFile(card + "KAMERA.map"), "from csv");
    EXPECT_EQ(ReadFile(card + "KAMERA.ini"),
              "[KAMERA]\r\nactive=1\r\ndistance=50\r\ntime=0\r\nvisualWarning=1\r\n"
              "soundWarning=1\r\n");
}

TEST_F(InstallTest, NamesDifferingInLetterCaseAreFoundAndStaleStagingFilesReplaced) {
    WriteList("Blitzer;;X\r\n");
    std::filesystem::rename(poi + "MARQUILL.CSV", poi + "marquill.csv");
    WriteFile(poi + "BLITZER.ASC", "upper");
    WriteFile(poi + "blitzer.bmp", "icon");
    std::filesystem::create_directories(Staging());
    WriteFile(Staging() + "BLITZER.ini", "stale");
    WriteFile(Staging() + "blitzer.asc", "stale");
    WriteCompiler();
    PressInstall();
    EXPECT_EQ(ReadFile(card + "BLITZER.map"), "upper");
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
    EXPECT_NE(ReadFile(card + "GLEICH.ini").find("active=0"), std::string::npos);
}

// How a run ends: the boxes it showed ("style text"), whether the program ended and stored
// the folders, and what is left on the card and in the staging folder.
struct EndCase {
    const char* name;
    std::function<void(InstallTest&)> arrange;
    Names boxes;
    bool ended;
    bool stored;
    Names card;
    Names staging;
};

void PrintTo(const EndCase& c, std::ostream* os) {
    *os << c.name;
}

class RunEnds : public InstallTest, public ::testing::WithParamInterface<EndCase> {};

TEST_P(RunEnds, AsTheUserWouldExpect) {
    const EndCase& c = GetParam();
    WriteCompiler();
    c.arrange(*this);
    PressInstall();
    Names boxes;
    for (const auto& box : runtime.Boxes()) {
        EXPECT_EQ(box.title, "Marquill");
        boxes.push_back(std::to_string(box.style) + " " + box.text);
    }
    EXPECT_EQ(boxes, c.boxes);
    EXPECT_EQ(runtime.Ended(), c.ended);
    EXPECT_EQ(Stored("Path_SD"), c.stored ? card : "");
    if (std::filesystem::is_directory(card)) {
        EXPECT_EQ(FilesIn(card), c.card);
    }
    if (std::filesystem::is_directory(Staging())) {
        EXPECT_EQ(FilesIn(Staging()), c.staging);
    }
}

void WithBlitzer(InstallTest& t) {
    t.WriteList(kBlitzer);
    t.WriteCategory("Blitzer");
}

const char* const kListMissing = "16 Konfugurationsdatei nicht gefunden!";
const char* const kNotFound = "16 Laufzeitfehler '53':\r\n\r\nDatei nicht gefunden";

INSTANTIATE_TEST_SUITE_P(
    Cases, RunEnds,
    ::testing::Values(
        EndCase{"list_missing", [](InstallTest&) {}, {kListMissing}, false, false, {}, {}},
        EndCase{"hidden_list_counts_as_missing",
                [](InstallTest& t) { WriteFile(t.poi + ".MARQUILL.CSV", kBlitzer); },
                {kListMissing},
                false,
                false,
                {},
                {}},
        EndCase{"answer_no",
                [](InstallTest& t) {
                    WithBlitzer(t);
                    WriteFile(t.card + "old.txt", "keep");
                    t.runtime.Answer(runtime::vbNo);
                },
                {"36 Im Zielverzeichnis liegen Daten,\r\nsollen diese \xC3\xBC"
                 "berschrieben werden?"},
                false,
                false,
                {"old.txt"},
                {}},
        EndCase{"subfolders_and_hidden_files_ask_nothing",
                [](InstallTest& t) {
                    t.WriteList("");
                    std::filesystem::create_directory(t.card + "sub");
                    WriteFile(t.card + ".hidden", "x");
                },
                {},
                true,
                true,
                {".hidden", "sub"},
                {}},
        EndCase{"empty_list", [](InstallTest& t) { t.WriteList(""); }, {}, true, true, {}, {}},
        EndCase{"only_blank_lines",
                [](InstallTest& t) { t.WriteList("\r\n\r\n\r\n"); },
                {},
                true,
                true,
                {},
                {}},
        EndCase{"no_category_has_data",
                [](InstallTest& t) { t.WriteList("  Kamera ;kam\r\nName;Kurz\r\n   \r\n"); },
                {"16 Keine Daten zum Installieren gefunden!\r\n  Kamera ",
                 "16 Keine Daten zum Installieren gefunden!\r\nName",
                 "16 Keine Daten zum Installieren gefunden!\r\n   "},
                true,
                true,
                {},
                {}},
        EndCase{"compiler_leaves_out_the_map",
                [](InstallTest& t) {
                    WithBlitzer(t);
                    t.WriteCompiler("echo c > \"$base.chk\"; echo b > \"$base.bm\"");
                },
                {kNotFound},
                true,
                false,
                {"BLITZ.chk", "BLITZ.ini"},
                {"BLITZ.bm"}},
        EndCase{"compiler_deletes_its_input",
                [](InstallTest& t) {
                    WithBlitzer(t);
                    t.WriteCompiler(InstallTest::kWritesAllOutputs + std::string("; rm \"$1\""));
                },
                {kNotFound},
                true,
                false,
                {},
                {"BLITZ.bm", "BLITZ.bmp", "BLITZ.chk", "BLITZ.ini", "BLITZ.map"}},
        EndCase{"card_folder_missing",
                [](InstallTest& t) {
                    WithBlitzer(t);
                    std::filesystem::remove(t.card);
                },
                {"16 Laufzeitfehler '76':\r\n\r\nPfad nicht gefunden"},
                true,
                false,
                {},
                {"BLITZ.bm", "BLITZ.chk", "BLITZ.ini", "BLITZ.map"}},
        EndCase{"short_name_with_a_separator_writes_nothing",
                [](InstallTest& t) {
                    t.WriteList("Blitzer;../../ab;1\r\n");
                    t.WriteCategory("Blitzer");
                },
                {"16 Laufzeitfehler '52':\r\n\r\nUng\xC3\xBCltiger Dateiname"},
                true,
                false,
                {},
                {}},
        EndCase{"distance_overflow",
                [](InstallTest& t) {
                    t.WriteList("Blitzer;blitz;1;40000\r\n");
                    t.WriteCategory("Blitzer");
                },
                {"16 Laufzeitfehler '6':\r\n\r\n\xC3\x9C"
                 "berlauf"},
                true,
                false,
                {},
                {}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(InstallTest, AfterAnsweringNoTheButtonStartsARunAgain) {
    WriteList("");
    WriteFile(card + "old.txt", "x");
    runtime.Answer(runtime::vbNo);
    window.lbl_active.visible = false;
    PressInstall();
    EXPECT_FALSE(runtime.Ended());
    EXPECT_FALSE(window.lbl_active.visible);
    PressInstall();
    EXPECT_EQ(runtime.Boxes().size(), 2u);
    EXPECT_TRUE(runtime.Ended());
}

TEST_F(InstallTest, ASecondPressDuringTheCompilerWaitIsIgnored) {
    WithBlitzer(*this);
    const std::string log = root.Path() + "/runs.log";
    WriteCompiler("echo run >> \"" + log + "\"; sleep 0.3; " + std::string(kWritesAllOutputs));
    int presses = 0;
    runtime.onEvents = [&] {
        if (presses++ == 0) PressInstall();
    };
    PressInstall();
    EXPECT_EQ(ReadFile(log), "run\n");
    EXPECT_EQ(FilesIn(card), kBlitzOnCard);
}

TEST_F(InstallTest, QuitDuringTheCompilerWaitStoresTheFoldersAndStopsTheRun) {
    WithBlitzer(*this);
    WriteCompiler("sleep 0.3; " + std::string(kWritesAllOutputs));
    runtime.onEvents = [] { runtime::RunEventHandler(Main::cmd_quit_Click); };
    PressInstall();
    EXPECT_TRUE(runtime.Ended());
    EXPECT_EQ(Stored("Path_SD"), card);
    EXPECT_EQ(FilesIn(card), Names{});
}

}  // namespace
