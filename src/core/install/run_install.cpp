#include "core/install/run_install.h"

#include "core/controls/controls.h"
#include "core/install/install_category.h"
#include "core/install/save_and_quit.h"
#include "core/runtime/runtime_services.h"
#include "core/utils/field_rules.h"
#include "core/utils/install_list.h"
#include "core/utils/poi_data_check.h"
#include "core/utils/sequential_file.h"
#include "platform/platform.h"

namespace Install {

namespace {

constexpr const char* kListName = "MARQUILL.CSV";

// The focus checks may enable the button again while a run waits for the compiler, so a
// second press is turned away here rather than by disabling the button.
bool runInProgress = false;

class RunInProgress {
public:
    RunInProgress() { runInProgress = true; }
    ~RunInProgress() { runInProgress = false; }
    RunInProgress(const RunInProgress&) = delete;
    RunInProgress& operator=(const RunInProgress&) = delete;
};

void EndWithSeparator(controls::TextBox& field) {
    const std::string text = field.Text();
    if (!text.ends_with(platform::kPathSeparator)) field.SetText(text + platform::kPathSeparator);
}

bool UserAgreesToOverwrite() {
    const int answer = runtime::MsgBox(
        "Im Zielverzeichnis liegen Daten,\r\nsollen diese überschrieben werden?",
        runtime::vbYesNo | runtime::vbQuestion | runtime::vbDefaultButton1, runtime::kProgramTitle);
    return answer != runtime::vbNo;
}

std::string WithoutLineEnd(std::string line) {
    if (line.ends_with("\r\n")) line.resize(line.size() - 2);
    return line;
}

void InstallListLine(const std::string& line) {
    auto& c = controls::Main();
    const std::string column1 = Utils::Get_Token(line, 1);
    const std::string name{Utils::TrimSpaces(column1)};
    c.lbl_active.SetCaption(name);
    std::string shortName = Utils::ShortNameOf(Utils::Get_Token(line, 2));
    const std::string active = Utils::Get_Token(line, 3);
    const std::string distance = Utils::Get_Token(line, 4);
    const std::string sound = Utils::Get_Token(line, 5);
    const std::string visual = Utils::Get_Token(line, 6);
    const std::string basePath = c.txt_poi.Text() + name;

    if (Utils::HasPoiData(basePath) == 0) {
        runtime::MsgBox("Keine Daten zum Installieren gefunden!\r\n" + column1,
                        runtime::vbCritical | runtime::vbOKOnly, runtime::kProgramTitle);
        return;
    }
    if (shortName.empty()) shortName = Utils::ShortNameOf(name);
    const std::string activeFlag = Utils::FlagValue(active);
    const std::string soundFlag = Utils::FlagValue(sound);
    const std::string visualFlag = Utils::FlagValue(visual);
    const std::string distanceStep = Utils::DistanceValue(distance);
    InstallCategory(basePath, shortName, activeFlag, distanceStep, soundFlag, visualFlag);
}

}  // namespace

void RunInstall() {
    if (runInProgress) return;
    const RunInProgress guard;
    auto& c = controls::Main();

    EndWithSeparator(c.txt_poi);
    EndWithSeparator(c.txt_sd);
    const auto list = platform::FindOrdinaryFile(c.txt_poi.Text() + kListName);
    if (!list) {
        runtime::MsgBox("Konfugurationsdatei nicht gefunden!",
                        runtime::vbCritical | runtime::vbOKOnly, runtime::kProgramTitle);
        return;
    }
    if (platform::FolderHoldsOrdinaryFile(c.txt_sd.Text()) && !UserAgreesToOverwrite()) return;

    c.lbl_active.SetVisible(true);
    Utils::SequentialFile file(*list);
    while (!file.AtEnd()) {
        const std::string line = WithoutLineEnd(Utils::ReadLineFromFile(file));
        if (!line.empty()) InstallListLine(line);
    }
    file.Close();
    c.lbl_active.SetVisible(false);
    SaveAndQuit();
}

}  // namespace Install
