// Files with Windows' own attributes under Wine: what Dir lists, names in any letter case and
// beyond the ANSI code page, and the card's move that never leaves a half-written file.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "core/runtime/runtime_error.h"
#include "core/utils/move_file.h"
#include "platform/platform.h"
#include "platform/win32/text_conversion.h"
#include "platform/win32/windows_api.h"
#include "support/temp_folder.h"

namespace {

using testsupport::TempFolder;
using testsupport::WriteFile;

void SetAttributes(const std::string& path, DWORD attributes) {
    EXPECT_TRUE(::SetFileAttributesW(platform::win32::Utf16FromUtf8(path).c_str(), attributes))
        << path;
}

struct LookupRow {
    const char* name;
    std::string asked;
    std::optional<std::string> found = std::nullopt;
    bool holds = false;  // a file's name starts with what was asked: "folder*.*" lists one
};

// Read-only files count; folders, hidden and system files do not; "*" and "?" are no wildcards.
TEST(WindowsFiles, FindsWhatDirListsInAnyLetterCase) {
    TempFolder folder;
    for (const char* name : {"Blitzer.csv", "Raststätten.csv", "Schreibgeschützt.csv",
                             "Versteckt.csv", "System.csv", "Ελληνικά.csv"})
        WriteFile(folder / name, "x");
    ASSERT_TRUE(testsupport::MakeFolder(folder / "Kamera.bmp"));
    SetAttributes(folder / "Schreibgeschützt.csv", FILE_ATTRIBUTE_READONLY);
    SetAttributes(folder / "Versteckt.csv", FILE_ATTRIBUTE_HIDDEN);
    SetAttributes(folder / "System.csv", FILE_ATTRIBUTE_SYSTEM);
    // clang-format off
    const LookupRow rows[] = {
        {.name = "other case", .asked = "BLITZER.CSV", .found = "Blitzer.csv", .holds = true},
        {.name = "umlaut", .asked = "RASTSTÄTTEN.csv", .found = "Raststätten.csv", .holds = true},
        {.name = "read-only", .asked = "schreibgeschützt.csv", .found = "Schreibgeschützt.csv",
         .holds = true},
        {.name = "beyond ANSI", .asked = "Ελληνικά.csv", .found = "Ελληνικά.csv", .holds = true},
        {.name = "hidden", .asked = "Versteckt.csv"},
        {.name = "system", .asked = "System.csv"},
        {.name = "folder", .asked = "Kamera.bmp"},
        {.name = "star", .asked = "Blitz*.csv"},
        {.name = "question mark", .asked = "Blitze?.csv"},
        {.name = "a name's start", .asked = "rast", .holds = true},
        {.name = "no name", .asked = "", .holds = true},
    };
    // clang-format on
    for (const LookupRow& row : rows) {
        const auto expected = row.found ? std::optional(folder / *row.found) : std::nullopt;
        EXPECT_EQ(platform::FindOrdinaryFile(folder / row.asked), expected) << row.name;
        EXPECT_EQ(platform::FolderHoldsOrdinaryFile(folder / row.asked), row.holds) << row.name;
    }
    // A source from a CD is read-only, and Windows copies that attribute along; the staged copy
    // must still be deletable.
    EXPECT_EQ(platform::CopyFileReplacing(folder / "Schreibgeschützt.csv", folder / "Kopie.csv"),
              0);
    EXPECT_EQ(platform::DeleteFile(folder / "Kopie.csv"), 0);
    SetAttributes(folder / "Schreibgeschützt.csv", FILE_ATTRIBUTE_NORMAL);
}

enum Fault { kNone, kLeftover, kSourceLocked, kFolderInTheWay };

struct MoveRow {
    const char* name;
    Fault fault;
    int error;
    const char* text;  // of the card's BLITZ.map afterwards; nullptr: not a file
};

// The card keeps its old file whenever the copy fails, and never holds a temporary file
// afterwards. A folder in the way fails only after the copy is whole, at the rename over it.
TEST(WindowsCardMove, AFailedCopyKeepsTheOldFileAndLeavesNoOther) {
    constexpr int kDenied = runtime::kPermissionDenied;
    // clang-format off
    const MoveRow rows[] = {
        {.name = "moved", .fault = kNone, .error = 0, .text = "new"},
        {.name = "leftover", .fault = kLeftover, .error = 0, .text = "new"},
        {.name = "locked", .fault = kSourceLocked, .error = kDenied, .text = "old"},
        {.name = "folder in the way", .fault = kFolderInTheWay, .error = kDenied, .text = nullptr},
    };
    // clang-format on
    for (const MoveRow& row : rows) {
        TempFolder folder;
        const std::string staged = folder / "BLITZ.map", card = folder / "card";
        const std::string onCard = card + "\\BLITZ.map";
        WriteFile(staged, "new");
        ASSERT_TRUE(testsupport::MakeFolder(card));
        if (row.fault == kFolderInTheWay) testsupport::MakeFolder(onCard);
        if (row.fault != kFolderInTheWay) WriteFile(onCard, "old");
        if (row.fault == kLeftover) WriteFile(card + "\\.BLITZ.map.tmp", "half");
        const ::HANDLE lock =
            row.fault != kSourceLocked
                ? winapi::InvalidHandle()
                : ::CreateFileW(platform::win32::Utf16FromUtf8(staged).c_str(), GENERIC_READ, 0,
                                nullptr, OPEN_EXISTING, 0, nullptr);
        int error = 0;
        try {
            Utils::MoveFile(staged, onCard);
        } catch (const runtime::RuntimeError& e) {
            error = e.Number();
        }
        ::CloseHandle(lock);
        EXPECT_EQ(error, row.error) << row.name;
        EXPECT_EQ(testsupport::FileExists(staged), row.error != 0) << row.name;
        EXPECT_EQ(testsupport::NamesIn(card), std::vector<std::string>{"BLITZ.map"}) << row.name;
        if (row.text) {
            EXPECT_EQ(testsupport::ReadFile(onCard), row.text) << row.name;
            EXPECT_TRUE(platform::FindOrdinaryFile(onCard)) << row.name << ": hidden";
        }
    }
}

}  // namespace
