// Files with Windows' own attributes under Wine: what Dir finds, and the card's move that never
// leaves a half-written file.
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

using platform::win32::Utf16FromUtf8;
using testsupport::TempFolder;
using testsupport::WriteFile;

// Folders, hidden and system files do not count; names beyond ASCII in any letter case do;
// "*" and "?" are no wildcards.
TEST(WindowsFiles, FindsWhatDirFinds) {
    TempFolder folder;
    for (const char* name : {"Raststätten.csv", "Versteckt.csv", "System.csv", "Nur lesen.csv"})
        WriteFile(folder / name, "x");
    ASSERT_TRUE(testsupport::MakeFolder(folder / "Kamera.bmp"));
    ::SetFileAttributesW(Utf16FromUtf8(folder / "Versteckt.csv").c_str(), FILE_ATTRIBUTE_HIDDEN);
    ::SetFileAttributesW(Utf16FromUtf8(folder / "System.csv").c_str(), FILE_ATTRIBUTE_SYSTEM);
    ::SetFileAttributesW(Utf16FromUtf8(folder / "Nur lesen.csv").c_str(), FILE_ATTRIBUTE_READONLY);
    EXPECT_EQ(platform::FindOrdinaryFile(folder / "RASTSTÄTTEN.csv"), folder / "Raststätten.csv");
    for (const char* name :
         {"Versteckt.csv", "System.csv", "Kamera.bmp", "Rast*.csv", "?ur lesen.csv"})
        EXPECT_EQ(platform::FindOrdinaryFile(folder / name), std::nullopt) << name;
    // A source from a CD is read-only, and Windows copies that attribute along; the staged copy
    // must still be deletable.
    EXPECT_EQ(platform::CopyFileReplacing(folder / "Nur lesen.csv", folder / "Kopie.csv"), 0);
    EXPECT_EQ(platform::DeleteFile(folder / "Kopie.csv"), 0);
    ::SetFileAttributesW(Utf16FromUtf8(folder / "Nur lesen.csv").c_str(), FILE_ATTRIBUTE_NORMAL);
}

// The staged file is locked, so the copy fails: the card keeps its old file and holds no
// temporary one.
TEST(WindowsCardMove, AFailedCopyKeepsTheOldFileAndLeavesNoOther) {
    TempFolder folder;
    const std::string staged = folder / "BLITZ.map", card = folder / "card";
    const std::string onCard = card + "\\BLITZ.map";
    WriteFile(staged, "new");
    ASSERT_TRUE(testsupport::MakeFolder(card));
    WriteFile(onCard, "old");
    const ::HANDLE lock = ::CreateFileW(Utf16FromUtf8(staged).c_str(), GENERIC_READ, 0, nullptr,
                                        OPEN_EXISTING, 0, nullptr);
    int error = 0;
    try {
        Utils::MoveFile(staged, onCard);
    } catch (const runtime::RuntimeError& e) {
        error = e.Number();
    }
    ::CloseHandle(lock);
    EXPECT_EQ(error, runtime::kPermissionDenied);
    EXPECT_EQ(testsupport::ReadFile(onCard), "old");
    EXPECT_EQ(testsupport::NamesIn(card), std::vector<std::string>{"BLITZ.map"});
}

}  // namespace
