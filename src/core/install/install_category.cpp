#include "core/install/install_category.h"

#include "core/controls/controls.h"
#include "core/install/settings_file.h"
#include "core/runtime/file_statements.h"
#include "core/runtime/runtime_error.h"
#include "core/utils/launch_wait.h"
#include "core/utils/move_file.h"
#include "core/vbreg/system_info.h"
#include "platform/platform.h"

namespace Install {

namespace {

// The short name is joined to folders as it stands; a separator in it would reach files
// outside the staging folder and the card folder, and a NUL would cut every path short.
void RejectPathInShortName(const std::string& shortName) {
    constexpr std::string_view kNotInAName("/\\\0", 3);
    if (shortName.find_first_of(kNotInAName) != std::string::npos) {
        throw runtime::RuntimeError(runtime::kBadFileName);
    }
}

std::string StagingFolder() {
    return vbreg::GetWindowsDir() + platform::kPathSeparator + "temp" + platform::kPathSeparator;
}

// The file's own name when it exists under another letter case, else the name as given.
std::string ExistingOrGiven(const std::string& path) {
    return platform::FindOrdinaryFile(path).value_or(path);
}

std::string ChooseDataFile(const std::string& basePath) {
    if (auto csv = platform::FindOrdinaryFile(basePath + ".csv")) return *csv;
    return ExistingOrGiven(basePath + ".asc");
}

void RemoveStaleFile(const std::string& path) {
    if (auto stale = platform::FindOrdinaryFile(path)) runtime::Kill(*stale);
}

std::string CompilerProgram() {
    std::string program =
        controls::Main().txt_navman.Caption() + platform::kPathSeparator + "poicompiler";
    if (program.find(' ') != std::string::npos) program = '"' + program + '"';
    return program;
}

// The staging folder may lie under a home folder with a space in its name, and the short name
// may hold one: such a path is quoted, or the compiler would get it in pieces.
std::string CompilerCommandLine(const std::string& stagedData, const std::string& stagedIcon) {
    return CompilerProgram() + " " + platform::QuoteCommandLineArgument(stagedData) +
           " BITMAP=" + platform::QuoteCommandLineArgument(stagedIcon) +
           " 16BPP APP IMPORTANCE=1 TRANSPARENT";
}

}  // namespace

void InstallCategory(const std::string& basePath, const std::string& shortName,
                     const std::string& active, const std::string& distance,
                     const std::string& soundWarning, const std::string& visualWarning) {
    RejectPathInShortName(shortName);
    const std::string dataFile = ChooseDataFile(basePath);
    const std::string iconFile = ExistingOrGiven(basePath + ".bmp");

    const std::string staging = StagingFolder();
    const std::string stagedData = staging + shortName + ".asc";
    const std::string stagedIcon = staging + shortName + ".bmp";
    const std::string stagedSettings = staging + shortName + ".ini";
    for (const auto* staged : {&stagedData, &stagedIcon, &stagedSettings}) RemoveStaleFile(*staged);

    runtime::FileCopy(dataFile, stagedData);
    runtime::FileCopy(iconFile, stagedIcon);
    Utils::call_and_wait(CompilerCommandLine(stagedData, stagedIcon), 0);

    WriteSettingsFile(stagedSettings, {shortName, active, distance, soundWarning, visualWarning});
    runtime::Kill(stagedData);
    runtime::Kill(stagedIcon);

    // The card folder is read afresh at each move: the user may edit it meanwhile. The Windows
    // folder cannot change during a run, so the staging folder is asked once per category.
    for (const char* extension : {".ini", ".chk", ".map", ".bm"}) {
        Utils::MoveFile(staging + shortName + extension,
                        controls::Main().txt_sd.Text() + shortName + extension);
    }
}

}  // namespace Install
