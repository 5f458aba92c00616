// Files with Windows' own attributes under Wine: what Dir lists, names in any letter case and
// beyond the ANSI code page, and the card's move that never leaves a half-written file.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <optional>
#include <set>
#include <string>

#include "core/runtime/runtime_error.h"
#include "core/utils/move_file.h"
#include "platform/platform.h"
#include "platform/win32/text_conversion.h"
#include "platform/win32/windows_api.h"
#include "support/temp_folder.h"

namespace {

using testsupport::TempFolder;
using testsupport::WriteFile;

std::wstring Wide(const std::string& path) {
    return platform::win32::Utf16FromUtf8(path);
}

void SetAttributes(const std::string& path, DWORD attributes) {
    ASSERT_TRUE(::SetFileAttributesW(Wide(path).c_str(), attributes)) << path;
}

// Every name, hidden ones too; none for a missing folder.
std::set<std::string> NamesIn(const std::string& folder) {
    std::set<std::string> names;
    std::error_code missing;
    for (const auto& entry :
         std::filesystem::directory_iterator(testsupport::PathOf(folder), missing)) {
        names.insert(testsupport::Utf8Of(entry.path().filename()));
    }
    return names;
}

// One of each kind of entry the lookup has to tell apart.
class WindowsFiles : public ::testing::Test {
protected:
    void SetUp() override {
        for (const char* name : {"Blitzer.csv", "Raststätten.csv", "Schreibgeschützt.csv",
                                 "Versteckt.csv", "System.csv", "Ελληνικά.csv"}) {
            WriteFile(folder / name, "x");
        }
        ASSERT_TRUE(testsupport::MakeFolder(folder / "Kamera.bmp"));
        SetAttributes(folder / "Schreibgeschützt.csv", FILE_ATTRIBUTE_READONLY);
        SetAttributes(folder / "Versteckt.csv", FILE_ATTRIBUTE_HIDDEN);
        SetAttributes(folder / "System.csv", FILE_ATTRIBUTE_SYSTEM);
    }
    // A read-only file would outlive the folder.
    void TearDown() override {
        SetAttributes(folder / "Schreibgeschützt.csv", FILE_ATTRIBUTE_NORMAL);
    }

    TempFolder folder;
};

// Read-only files count; folders, hidden and system files do not; "*" and "?" are no wildcards.
TEST_F(WindowsFiles, FindsWhatDirListsInAnyLetterCase) {
    const struct {
        const char* name;
        std::string asked;
        std::optional<std::string> found;
    } rows[] = {
        {.name = "exact", .asked = "Blitzer.csv", .found = "Blitzer.csv"},
        {.name = "other_case", .asked = "BLITZER.CSV", .found = "Blitzer.csv"},
        {.name = "umlaut_other_case", .asked = "RASTSTÄTTEN.csv", .found = "Raststätten.csv"},
        {.name = "read_only", .asked = "schreibgeschützt.csv", .found = "Schreibgeschützt.csv"},
        {.name = "beyond_ansi", .asked = "Ελληνικά.csv", .found = "Ελληνικά.csv"},
        {.name = "hidden", .asked = "Versteckt.csv", .found = std::nullopt},
        {.name = "system", .asked = "System.csv", .found = std::nullopt},
        {.name = "folder", .asked = "Kamera.bmp", .found = std::nullopt},
        {.name = "star", .asked = "Blitz*.csv", .found = std::nullopt},
        {.name = "question_mark", .asked = "Blitze?.csv", .found = std::nullopt},
        {.name = "dos_star", .asked = "Blitzer<", .found = std::nullopt},
        {.name = "folder_missing", .asked = "fehlt\\Blitzer.csv", .found = std::nullopt},
        {.name = "no_name", .asked = "", .found = std::nullopt},
    };
    for (const auto& row : rows) {
        const std::optional<std::string> expected =
            row.found ? std::optional(folder / *row.found) : std::nullopt;
        EXPECT_EQ(platform::FindOrdinaryFile(folder / row.asked), expected) << row.name;
    }
}

// "folder*.*" as Dir lists it, with the user's text never read as a pattern.
TEST_F(WindowsFiles, AFolderHoldsOnlyWhatDirWouldList) {
    const struct {
        const char* name;
        std::string asked;
        bool held;
    } rows[] = {
        {.name = "whole_folder", .asked = folder / "", .held = true},
        {.name = "name_start", .asked = folder / "rast", .held = true},
        {.name = "only_hidden", .asked = folder / "Verst", .held = false},
        {.name = "star_is_text", .asked = folder / "*", .held = false},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(platform::FolderHoldsOrdinaryFile(row.asked), row.held) << row.name;
    }
}

// A source from a CD is read-only, and Windows copies that attribute along; the staged copy
// must still be deletable.
TEST_F(WindowsFiles, ACopyOfAReadOnlyFileCanBeDeleted) {
    const std::string copy = folder / "Kopie.csv";
    EXPECT_EQ(platform::CopyFileReplacing(folder / "Schreibgeschützt.csv", copy), 0);
    EXPECT_EQ(platform::DeleteFile(copy), 0);
}

// The card keeps its old file whenever the copy fails, and never holds a temporary file
// afterwards. The card folder vanishing stands for a pulled card.
TEST(WindowsCardMove, AFailedCopyKeepsTheOldFileAndLeavesNoOther) {
    struct Scene {
        std::string staged, cardFolder, onCard;
    };
    const struct {
        const char* name;
        std::function<void(const Scene&, std::optional<::HANDLE>&)> arrange;
        int error;
        std::set<std::string> cardNames;
        std::optional<std::string> cardText;
    } rows[] = {
        {.name = "moved",
         .arrange = [](const Scene&, auto&) {},
         .error = 0,
         .cardNames = {"BLITZ.map"},
         .cardText = "new"},
        {.name = "leftover_of_a_crash_replaced",
         .arrange = [](const Scene& s,
                       auto&) { WriteFile(s.cardFolder + "\\.BLITZ.map.tmp", "half"); },
         .error = 0,
         .cardNames = {"BLITZ.map"},
         .cardText = "new"},
        {.name = "source_locked",
         .arrange =
             [](const Scene& s, std::optional<::HANDLE>& lock) {
                 lock = ::CreateFileW(Wide(s.staged).c_str(), GENERIC_READ, 0, nullptr,
                                      OPEN_EXISTING, 0, nullptr);
             },
         .error = runtime::kPermissionDenied,
         .cardNames = {"BLITZ.map"},
         .cardText = "old"},
        // Fails only after the copy is whole: the rename over the target.
        {.name = "name_taken_by_a_folder",
         .arrange =
             [](const Scene& s, auto&) {
                 std::filesystem::remove(testsupport::PathOf(s.onCard));
                 testsupport::MakeFolder(s.onCard);
             },
         .error = runtime::kPermissionDenied,
         .cardNames = {"BLITZ.map"},
         .cardText = std::nullopt},
        {.name = "card_pulled",
         .arrange = [](const Scene& s,
                       auto&) { std::filesystem::remove_all(testsupport::PathOf(s.cardFolder)); },
         .error = runtime::kPathNotFound,
         .cardNames = {},
         .cardText = std::nullopt},
    };
    for (const auto& row : rows) {
        TempFolder folder;
        const Scene scene{folder / "BLITZ.map", folder / "card", folder / "card\\BLITZ.map"};
        WriteFile(scene.staged, "new");
        ASSERT_TRUE(testsupport::MakeFolder(scene.cardFolder));
        WriteFile(scene.onCard, "old");
        std::optional<::HANDLE> lock;
        row.arrange(scene, lock);
        int error = 0;
        try {
            Utils::MoveFile(scene.staged, scene.onCard);
        } catch (const runtime::RuntimeError& e) {
            error = e.Number();
        }
        if (lock) ::CloseHandle(*lock);
        EXPECT_EQ(error, row.error) << row.name;
        EXPECT_EQ(testsupport::FileExists(scene.staged), row.error != 0) << row.name;
        EXPECT_EQ(NamesIn(scene.cardFolder), row.cardNames) << row.name;
        if (row.cardText) {
            EXPECT_EQ(testsupport::ReadFile(scene.onCard), *row.cardText) << row.name;
            EXPECT_TRUE(platform::FindOrdinaryFile(scene.onCard)) << row.name << ": hidden";
        }
    }
}

}  // namespace
