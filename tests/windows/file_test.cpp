// Files with Windows' own attributes under Wine: what Dir lists, names in any letter case and
// beyond the ANSI code page, and the card's move that never leaves a half-written file.
#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <set>
#include <string>

#include "core/runtime/runtime_error.h"
#include "core/utils/move_file.h"
#include "platform/platform.h"
#include "windows/windows_test_util.h"

namespace {

using testsupport::TempFolder;
using testsupport::WriteFile;

std::wstring Wide(const std::string& path) {
    return platform::win32::Utf16FromUtf8(path);
}

void SetAttributes(const std::string& path, DWORD attributes) {
    ASSERT_TRUE(::SetFileAttributesW(Wide(path).c_str(), attributes)) << path;
}

// One of each kind of entry the lookup has to tell apart.
class WindowsFiles : public ::testing::Test {
protected:
    void SetUp() override {
        for (const char* name : {"Blitzer.csv", "Raststätten.csv", "Schreibgeschützt.csv",
                                 "Versteckt.csv", "System.csv", "Ελληνικά.csv"})
            WriteFile(folder / name, "x");
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

struct LookupRow {
    const char* name;
    std::string asked;
    std::optional<std::string> found = std::nullopt;
};

// Read-only files count; folders, hidden and system files do not; "*" and "?" are no wildcards.
TEST_F(WindowsFiles, FindsWhatDirListsInAnyLetterCase) {
    // clang-format off
    const LookupRow rows[] = {
        {.name = "exact", .asked = "Blitzer.csv", .found = "Blitzer.csv"},
        {.name = "other case", .asked = "BLITZER.CSV", .found = "Blitzer.csv"},
        {.name = "umlaut, other case", .asked = "RASTSTÄTTEN.csv", .found = "Raststätten.csv"},
        {.name = "read-only", .asked = "schreibgeschützt.csv", .found = "Schreibgeschützt.csv"},
        {.name = "beyond the ANSI code page", .asked = "Ελληνικά.csv", .found = "Ελληνικά.csv"},
        {.name = "hidden", .asked = "Versteckt.csv"},
        {.name = "system", .asked = "System.csv"},
        {.name = "folder", .asked = "Kamera.bmp"},
        {.name = "star", .asked = "Blitz*.csv"},
        {.name = "question mark", .asked = "Blitze?.csv"},
        {.name = "folder missing", .asked = "fehlt\\Blitzer.csv"},
        {.name = "no name", .asked = ""},
    };
    // clang-format on
    for (const LookupRow& row : rows) {
        const auto expected = row.found ? std::optional(folder / *row.found) : std::nullopt;
        EXPECT_EQ(platform::FindOrdinaryFile(folder / row.asked), expected) << row.name;
    }
}

struct HoldsRow {
    const char* name;
    std::string folder;  // then "*.*"
    bool holds;
};

// "folder*.*" as Dir lists it, with the user's text never read as a pattern.
TEST_F(WindowsFiles, AFolderHoldsOnlyWhatDirWouldList) {
    // clang-format off
    const HoldsRow rows[] = {
        {.name = "the folder", .folder = "", .holds = true},
        {.name = "a name's start, other case", .folder = "rast", .holds = true},
        {.name = "only a hidden file", .folder = "Verst", .holds = false},
        {.name = "a star", .folder = "*", .holds = false},
    };
    // clang-format on
    for (const HoldsRow& row : rows)
        EXPECT_EQ(platform::FolderHoldsOrdinaryFile(folder / row.folder), row.holds) << row.name;
}

// A source from a CD is read-only, and Windows copies that attribute along; the staged copy
// must still be deletable.
TEST_F(WindowsFiles, ACopyOfAReadOnlyFileCanBeDeleted) {
    EXPECT_EQ(platform::CopyFileReplacing(folder / "Schreibgeschützt.csv", folder / "Kopie.csv"),
              0);
    EXPECT_EQ(platform::DeleteFile(folder / "Kopie.csv"), 0);
}

enum Fault { kNone, kLeftover, kSourceLocked, kFolderInTheWay, kCardPulled };
constexpr int kDenied = runtime::kPermissionDenied, kNotFound = runtime::kPathNotFound;

struct MoveRow {
    const char* name;
    Fault fault;
    int error;
    std::set<std::string> card;                      // the names on the card afterwards
    std::optional<std::string> text = std::nullopt;  // of the card's BLITZ.map
};

// Every name, hidden ones too; none for a missing folder.
std::set<std::string> NamesIn(const std::string& folder) {
    std::set<std::string> names;
    std::error_code missing;
    for (const auto& entry :
         std::filesystem::directory_iterator(testsupport::PathOf(folder), missing))
        names.insert(testsupport::Utf8Of(entry.path().filename()));
    return names;
}

// The card keeps its old file whenever the copy fails, and never holds a temporary file
// afterwards. The card folder vanishing stands for a pulled card; a folder in the way fails
// only after the copy is whole, at the rename over the target.
TEST(WindowsCardMove, AFailedCopyKeepsTheOldFileAndLeavesNoOther) {
    // clang-format off
    const std::set<std::string> kMap = {"BLITZ.map"};
    const MoveRow rows[] = {
        {.name = "moved", .fault = kNone, .error = 0, .card = kMap, .text = "new"},
        {.name = "leftover", .fault = kLeftover, .error = 0, .card = kMap, .text = "new"},
        {.name = "locked", .fault = kSourceLocked, .error = kDenied, .card = kMap, .text = "old"},
        {.name = "folder in the way", .fault = kFolderInTheWay, .error = kDenied, .card = kMap},
        {.name = "card pulled", .fault = kCardPulled, .error = kNotFound, .card = {}},
    };
    // clang-format on
    for (const MoveRow& row : rows) {
        TempFolder folder;
        const std::string staged = folder / "BLITZ.map", card = folder / "card";
        const std::string onCard = card + "\\BLITZ.map";
        WriteFile(staged, "new");
        ASSERT_TRUE(testsupport::MakeFolder(card));
        WriteFile(onCard, "old");
        ::HANDLE lock = winapi::InvalidHandle();
        if (row.fault == kLeftover) WriteFile(card + "\\.BLITZ.map.tmp", "half");
        if (row.fault == kSourceLocked)
            lock = ::CreateFileW(Wide(staged).c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0,
                                 nullptr);
        if (row.fault == kFolderInTheWay) std::filesystem::remove(testsupport::PathOf(onCard));
        if (row.fault == kFolderInTheWay) testsupport::MakeFolder(onCard);
        if (row.fault == kCardPulled) std::filesystem::remove_all(testsupport::PathOf(card));
        int error = 0;
        try {
            Utils::MoveFile(staged, onCard);
        } catch (const runtime::RuntimeError& e) {
            error = e.Number();
        }
        ::CloseHandle(lock);
        EXPECT_EQ(error, row.error) << row.name;
        EXPECT_EQ(testsupport::FileExists(staged), row.error != 0) << row.name;
        EXPECT_EQ(NamesIn(card), row.card) << row.name;
        if (row.text) {
            EXPECT_EQ(testsupport::ReadFile(onCard), *row.text) << row.name;
            EXPECT_TRUE(platform::FindOrdinaryFile(onCard)) << row.name << ": hidden";
        }
    }
}

}  // namespace
