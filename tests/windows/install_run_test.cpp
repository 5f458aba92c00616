// Install runs on Windows, end to end: the stand-in compiler built for Windows in a NavMan
// folder whose name has a space, a POI folder and short names with umlauts, Windows' own
// staging folder, the real registry and the Windows runtime's wait.
#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "core/main/main_form.h"
#include "core/runtime/event_handler.h"
#include "core/vbreg/registry_keys.h"
#include "core/vbreg/registry_strings.h"
#include "core/vbreg/system_info.h"
#include "platform/platform.h"
#include "support/fake_controls.h"
#include "support/test_environment.h"
#include "windows/recording_runtime.h"
#include "windows/windows_test_util.h"

namespace {

using Names = std::set<std::string>;

Names CardFiles(const std::string& shortName) {
    Names names;
    for (const char* extension : {".bm", ".chk", ".ini", ".map"})
        names.insert(shortName + extension);
    return names;
}

Names Merged(Names a, const Names& b) {
    a.insert(b.begin(), b.end());
    return a;
}

class WindowsInstallRun : public testsupport::IsolatedTest {
protected:
    void SetUp() override {
        IsolatedTest::SetUp();
        root = std::make_unique<testsupport::TempFolder>();
        poi = *root / "POI Österreich\\";
        card = *root / "Karte\\";
        navman = *root / "Nav Man";
        for (const auto& folder : {poi, card, navman}) ASSERT_TRUE(testsupport::MakeFolder(folder));
        window.txt_poi.text = poi;
        window.txt_sd.text = card;
        window.txt_navman.caption = navman;
    }

    void CopyFromDemo(const std::string& name) {
        const auto demo = testsupport::PathOf(wintest::WindowsPath(MARQUILL_DEMO_DIR));
        std::filesystem::copy_file(demo / testsupport::PathOf(name),
                                   testsupport::PathOf(poi + name));
    }

    void InstallCompiler() {
        std::filesystem::copy_file(testsupport::PathOf(wintest::WindowsPath(MARQUILL_POICOMPILER)),
                                   testsupport::PathOf(navman + "\\poicompiler.exe"));
    }

    Names CardNames() const {
        Names names;
        for (const auto& entry : std::filesystem::directory_iterator(testsupport::PathOf(card))) {
            names.insert(testsupport::Utf8Of(entry.path().filename()));
        }
        return names;
    }

    std::string Stored(const std::string& name) {
        std::int16_t flag = 0;
        return vbreg::ReadRegString(vbreg::HKEY_LOCAL_MACHINE, vbreg::kSettingsKey, name, flag);
    }

    std::unique_ptr<testsupport::TempFolder> root;
    std::string poi, card, navman;
    wintest::RecordingRuntime runtime;
    testsupport::FakeMainWindow window;
};

// A settings file on the card, and how it starts as the device reads it: in Windows-1252.
struct Settings {
    std::string file;
    std::string start;
};

TEST_F(WindowsInstallRun, CategoriesLandOnTheCardAsOnTheOldProgramsWindows) {
    const struct {
        const char* name;
        std::string list;  // as a Windows editor saves it, in Windows-1252
        std::vector<std::string> files;
        bool compiler;
        std::vector<std::string> boxes;
        Names card;
        std::optional<Settings> settings;
    } rows[] = {
        {.name = "umlauts_in_list_names_and_short_name",
         .list = "Rastst\xE4tten;;1;3;X;0\r\n",
         .files = {"Raststätten.csv", "Raststätten.bmp"},
         .compiler = true,
         .boxes = {},
         .card = CardFiles("RASTSTÄT"),
         .settings = Settings{.file = "RASTSTÄT.ini",
                              .start = "[RASTST\xC4T]\r\nactive=1\r\ndistance=200\r\n"}},
        {.name = "csv_asc_and_a_category_without_data",
         .list = "Blitzer;blitz;1;3;X;0\r\nTankstellen;;1;0;0;1\r\nGefahrenstellen;gefahr;1\r\n",
         .files = {"Blitzer.csv", "Blitzer.bmp", "Tankstellen.asc", "Tankstellen.bmp"},
         .compiler = true,
         .boxes = {"16 Keine Daten zum Installieren gefunden!\r\nGefahrenstellen"},
         .card = Merged(CardFiles("BLITZ"), CardFiles("TANKSTEL")),
         .settings =
             Settings{.file = "TANKSTEL.ini", .start = "[TANKSTEL]\r\nactive=1\r\ndistance=0\r\n"}},
        {.name = "compiler_missing",
         .list = "Blitzer;blitz;1\r\n",
         .files = {"Blitzer.csv", "Blitzer.bmp"},
         .compiler = false,
         .boxes = {"16 Datei nicht gefunden\r\nModul   : Utils\r\nFunktion: call_and_wait\r\n"
                   "Zeile   : 20\r\n"},
         .card = {},
         .settings = std::nullopt},
    };
    for (const auto& row : rows) {
        SetUp();
        testsupport::WriteFile(poi + "MARQUILL.CSV", row.list);
        for (const auto& file : row.files) CopyFromDemo(file);
        if (row.compiler) InstallCompiler();
        runtime.boxes.clear();
        runtime.ended = false;
        runtime::RunEventHandler(Main::cmd_Start_Click);
        EXPECT_EQ(runtime.boxes, row.boxes) << row.name;
        EXPECT_TRUE(runtime.ended) << row.name;
        EXPECT_EQ(CardNames(), row.card) << row.name;
        if (row.settings) {
            const std::string& start = row.settings->start;
            EXPECT_EQ(testsupport::ReadFile(card + row.settings->file).substr(0, start.size()),
                      start)
                << row.name;
        }
        // A finished run stores both folders; a failed one stores nothing.
        EXPECT_EQ(Stored("Path_POI"), row.compiler ? poi : "") << row.name;
        for (const auto& name : row.card) {
            EXPECT_FALSE(platform::FindOrdinaryFile(vbreg::GetWindowsDir() + "\\temp\\" + name))
                << row.name << ": " << name << " left in the staging folder";
        }
        TearDown();
    }
}

}  // namespace
