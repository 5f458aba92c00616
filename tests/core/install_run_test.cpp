#include <gtest/gtest.h>

#include <filesystem>

#include "core/main/main_form.h"
#include "core/runtime/event_handler.h"
#include "support/install_fixture.h"

namespace {

using testsupport::FileExists;
using testsupport::InstallTest;
using testsupport::ReadFile;
using testsupport::WriteFile;

constexpr const char* kOverwriteQuestion =
    "Im Zielverzeichnis liegen Daten,\r\nsollen diese \xC3\xBC"
    "berschrieben werden?";

// Presses "Installieren" as the window would: inside the event guard.
void PressInstall() {
    runtime::RunEventHandler(Main::cmd_Start_Click);
}

std::vector<std::string> FilesIn(const std::string& folder) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

using Names = std::vector<std::string>;

TEST_F(InstallTest, BlitzerLandsOnTheCardWithItsSixSettingLines) {
    WriteList("Blitzer;blitz;1;3;X;0\r\n");
    WriteCategory("Blitzer");
    WriteCompiler();
    PressInstall();
    EXPECT_TRUE(runtime.Boxes().empty());
    EXPECT_EQ(ReadFile(card + "BLITZ.ini"),
              "[BLITZ]\r\nactive=1\r\ndistance=200\r\ntime=0\r\nvisualWarning=0\r\n"
              "soundWarning=1\r\n");
    EXPECT_EQ(FilesIn(card), (Names{"BLITZ.bm", "BLITZ.chk", "BLITZ.ini", "BLITZ.map"}));
    EXPECT_EQ(FilesIn(Staging()), Names{});
    EXPECT_TRUE(runtime.Ended());
    EXPECT_EQ(Stored("Path_POI"), poi);
    EXPECT_EQ(Stored("Path_SD"), card);
}

TEST_F(InstallTest, FoldersTypedWithoutSeparatorGetOneAndAreStoredWithIt) {
    WriteList("");
    window.txt_poi.text = poi.substr(0, poi.size() - 1);
    window.txt_sd.text = card.substr(0, card.size() - 1);
    PressInstall();
    EXPECT_EQ(window.txt_poi.text, poi);
    EXPECT_EQ(Stored("Path_POI"), poi);
    EXPECT_EQ(Stored("Path_SD"), card);
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

TEST_F(InstallTest, NamesDifferingInLetterCaseAreFound) {
    WriteList("Blitzer;;X\r\n");
    WriteFile(poi + "BLITZER.ASC", "upper");
    WriteFile(poi + "blitzer.bmp", "icon");
    WriteCompiler();
    std::filesystem::rename(poi + "MARQUILL.CSV", poi + "marquill.csv");
    PressInstall();
    EXPECT_EQ(ReadFile(card + "BLITZER.map"), "upper");
}

TEST_F(InstallTest, TheCompilerRunsOnStagedInputsBeforeTheSettingsFileExists) {
    WriteList("Blitzer;blitz\r\n");
    WriteCategory("Blitzer");
    const std::string log = root.Path() + "/compiler.log";
    WriteCompiler(
        "{ echo \"$0\"; for a in \"$@\"; do echo \"$a\"; done;"
        " test -f \"$base.bmp\" && echo icon-staged;"
        " test -f \"$base.ini\" || echo no-ini-yet;"
        " ls \"" +
        card + "\" | wc -l; } > \"" + log + "\"; " + kWritesAllOutputs);
    PressInstall();
    const std::string staged = Staging() + "BLITZ";
    EXPECT_EQ(ReadFile(log), navman + "/poicompiler\n" + staged + ".asc\nBITMAP=" + staged +
                                 ".bmp\n16BPP\nAPP\nIMPORTANCE=1\nTRANSPARENT\nicon-staged\n"
                                 "no-ini-yet\n0\n");
}

struct NavManCase {
    const char* name;
    const char* folder;   // below the test's root
    const char* program;  // as the compiler sees itself
};

class CompilerPathCases : public InstallTest, public ::testing::WithParamInterface<NavManCase> {};

TEST_P(CompilerPathCases, ProgramPathIsTheNavManFolderAsShown) {
    const std::string folder = root.Path() + "/" + GetParam().folder;
    std::filesystem::create_directories(folder);
    window.txt_navman.caption = folder;
    const std::string log = root.Path() + "/compiler.log";
    WriteCompilerAt(folder, "echo \"$0 $#\" > \"" + log + "\"; " + kWritesAllOutputs);
    WriteList("Blitzer;blitz\r\n");
    WriteCategory("Blitzer");
    PressInstall();
    EXPECT_EQ(ReadFile(log), root.Path() + "/" + GetParam().program + " 6\n");
}

INSTANTIATE_TEST_SUITE_P(
    Folders, CompilerPathCases,
    ::testing::Values(NavManCase{"plain", "navman2", "navman2/poicompiler"},
                      NavManCase{"with_space", "Nav Man", "Nav Man/poicompiler"},
                      NavManCase{"trailing_separator", "navman3/", "navman3//poicompiler"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(InstallTest, StaleStagingInputsAreRemovedFirst) {
    WriteList("Blitzer;blitz\r\n");
    WriteCategory("Blitzer", ".csv", "fresh");
    std::filesystem::create_directories(Staging());
    WriteFile(Staging() + "BLITZ.ini", "stale");
    WriteFile(Staging() + "blitz.asc", "stale");
    WriteCompiler();
    PressInstall();
    EXPECT_EQ(ReadFile(card + "BLITZ.map"), "fresh");
    EXPECT_EQ(FilesIn(Staging()), Names{});
}

TEST_F(InstallTest, LaterLineWithTheSameShortNameReplacesTheEarlier) {
    WriteList("Eins;gleich;1\r\nZwei;gleich;0\r\n");
    WriteCategory("Eins", ".csv", "eins");
    WriteCategory("Zwei", ".csv", "zwei");
    WriteFile(card + "GLEICH.map", "old card file");
    WriteCompiler();
    PressInstall();
    ASSERT_EQ(runtime.Boxes().size(), 1u);  // the overwrite question
    EXPECT_EQ(ReadFile(card + "GLEICH.map"), "zwei");
    EXPECT_NE(ReadFile(card + "GLEICH.ini").find("active=0"), std::string::npos);
}

// How a run ends: which boxes it showed, whether the folders were stored, what is where.
struct EndCase {
    const char* name;
    std::function<void(InstallTest&)> arrange;
    std::vector<std::string> boxes;
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
    std::vector<std::string> texts;
    for (const auto& box : runtime.Boxes()) texts.push_back(box.text);
    EXPECT_EQ(texts, c.boxes);
    EXPECT_EQ(runtime.Ended(), c.ended);
    EXPECT_EQ(Stored("Path_SD"), c.stored ? card : "");
    if (std::filesystem::is_directory(card)) {
        EXPECT_EQ(FilesIn(card), c.card);
    }
    if (std::filesystem::is_directory(Staging())) {
        EXPECT_EQ(FilesIn(Staging()), c.staging);
    }
}

const std::string kBlitzer = "Blitzer;blitz;1;3;X;0\r\n";

INSTANTIATE_TEST_SUITE_P(
    Cases, RunEnds,
    ::testing::Values(
        EndCase{"list_missing",
                [](InstallTest&) {},
                {"Konfugurationsdatei nicht gefunden!"},
                false,
                false,
                {},
                {}},
        EndCase{"hidden_list_counts_as_missing",
                [](InstallTest& t) { WriteFile(t.poi + ".MARQUILL.CSV", kBlitzer); },
                {"Konfugurationsdatei nicht gefunden!"},
                false,
                false,
                {},
                {}},
        EndCase{"answer_no",
                [](InstallTest& t) {
                    t.WriteList(kBlitzer);
                    t.WriteCategory("Blitzer");
                    WriteFile(t.card + "old.txt", "keep");
                    t.runtime.Answer(runtime::vbNo);
                },
                {kOverwriteQuestion},
                false,
                false,
                {"old.txt"},
                {}},
        EndCase{"only_subfolders_and_hidden_files_ask_nothing",
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
                [](InstallTest& t) { t.WriteList("  Kamera ;kam\r\nName;Kurz;Aktiv\r\n   \r\n"); },
                {"Keine Daten zum Installieren gefunden!\r\n  Kamera ",
                 "Keine Daten zum Installieren gefunden!\r\nName",
                 "Keine Daten zum Installieren gefunden!\r\n   "},
                true,
                true,
                {},
                {}},
        EndCase{"compiler_leaves_out_the_map",
                [](InstallTest& t) {
                    t.WriteList(kBlitzer);
                    t.WriteCategory("Blitzer");
                    t.WriteCompiler("echo c > \"$base.chk\"; echo b > \"$base.bm\"");
                },
                {"Laufzeitfehler '53':\r\n\r\nDatei nicht gefunden"},
                true,
                false,
                {"BLITZ.chk", "BLITZ.ini"},
                {"BLITZ.bm"}},
        EndCase{"compiler_deletes_its_input",
                [](InstallTest& t) {
                    t.WriteList(kBlitzer);
                    t.WriteCategory("Blitzer");
                    t.WriteCompiler(InstallTest::kWritesAllOutputs + std::string("; rm \"$1\""));
                },
                {"Laufzeitfehler '53':\r\n\r\nDatei nicht gefunden"},
                true,
                false,
                {},
                {"BLITZ.bm", "BLITZ.bmp", "BLITZ.chk", "BLITZ.ini", "BLITZ.map"}},
        EndCase{"card_folder_missing",
                [](InstallTest& t) {
                    t.WriteList(kBlitzer);
                    t.WriteCategory("Blitzer");
                    std::filesystem::remove(t.card);
                },
                {"Laufzeitfehler '76':\r\n\r\nPfad nicht gefunden"},
                true,
                false,
                {},
                {"BLITZ.bm", "BLITZ.chk", "BLITZ.ini", "BLITZ.map"}},
        EndCase{"short_name_with_a_separator_writes_nothing",
                [](InstallTest& t) {
                    t.WriteList("Blitzer;../../ab;1\r\n");
                    t.WriteCategory("Blitzer");
                },
                {"Laufzeitfehler '52':\r\n\r\nUng\xC3\xBCltiger Dateiname"},
                true,
                false,
                {},
                {}},
        EndCase{"distance_overflow",
                [](InstallTest& t) {
                    t.WriteList("Blitzer;blitz;1;40000\r\n");
                    t.WriteCategory("Blitzer");
                },
                {"Laufzeitfehler '6':\r\n\r\n\xC3\x9C"
                 "berlauf"},
                true,
                false,
                {},
                {}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(InstallTest, MissingDataMessageIsACriticalBoxAndTheLabelShowsTheName) {
    WriteList("  Kamera ;kam\r\n");
    PressInstall();
    ASSERT_EQ(runtime.Boxes().size(), 1u);
    EXPECT_EQ(runtime.Boxes()[0].style, runtime::vbCritical);
    EXPECT_EQ(runtime.Boxes()[0].title, "Marquill");
    EXPECT_EQ(window.lbl_active.caption, "Kamera");
    EXPECT_FALSE(window.lbl_active.visible);
}

TEST_F(InstallTest, OverwriteQuestionDefaultsToYes) {
    WriteList("");
    WriteFile(card + "old.txt", "x");
    PressInstall();
    ASSERT_EQ(runtime.Boxes().size(), 1u);
    EXPECT_EQ(runtime.Boxes()[0].style, runtime::vbYesNo | runtime::vbQuestion);
    EXPECT_TRUE(runtime.Ended());
}

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
    WriteList(kBlitzer);
    WriteCategory("Blitzer");
    const std::string log = root.Path() + "/runs.log";
    WriteCompiler("echo run >> \"" + log + "\"; sleep 0.3; " + std::string(kWritesAllOutputs));
    int presses = 0;
    runtime.onEvents = [&] {
        if (presses++ == 0) PressInstall();
    };
    PressInstall();
    EXPECT_EQ(ReadFile(log), "run\n");
    EXPECT_TRUE(runtime.Ended());
    EXPECT_EQ(FilesIn(card), (Names{"BLITZ.bm", "BLITZ.chk", "BLITZ.ini", "BLITZ.map"}));
}

TEST_F(InstallTest, QuitDuringTheCompilerWaitStoresTheFoldersAndStopsTheRun) {
    WriteList(kBlitzer);
    WriteCategory("Blitzer");
    WriteCompiler("sleep 0.3; " + std::string(kWritesAllOutputs));
    runtime.onEvents = [] { runtime::RunEventHandler(Main::cmd_quit_Click); };
    PressInstall();
    EXPECT_TRUE(runtime.Ended());
    EXPECT_EQ(Stored("Path_SD"), card);
    EXPECT_EQ(FilesIn(card), Names{});
}

}  // namespace
