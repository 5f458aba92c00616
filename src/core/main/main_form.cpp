#include "core/main/main_form.h"

#include "core/install/run_install.h"
#include "core/install/save_and_quit.h"
#include "core/utils/path_checks.h"
#include "core/vbreg/registry_keys.h"
#include "core/vbreg/registry_strings.h"

namespace Main {

void Form_Load(controls::Form& form) {
    auto& c = controls::Main();
    form.SetCaption(kCaption);
    c.lbl_active.SetVisible(false);
    std::int16_t ignored = 0;
    c.txt_navman.SetCaption(vbreg::ReadRegString(vbreg::HKEY_LOCAL_MACHINE, vbreg::kNavManKey,
                                                 "InstallLocation", ignored));
    c.txt_poi.SetText(
        vbreg::ReadRegString(vbreg::HKEY_LOCAL_MACHINE, vbreg::kSettingsKey, "Path_POI", ignored));
    c.txt_sd.SetText(
        vbreg::ReadRegString(vbreg::HKEY_LOCAL_MACHINE, vbreg::kSettingsKey, "Path_SD", ignored));
    Utils::CheckPathField(c.txt_poi);
    Utils::CheckPathField(c.txt_sd);
}

void Form_Unload(int& /*cancel*/) {
    Install::SaveAndQuit();
}

void cmd_quit_Click() {
    Install::SaveAndQuit();
}

void cmd_Start_Click() {
    Install::RunInstall();
}

void txt_poi_LostFocus() {
    Utils::CheckPathField(controls::Main().txt_poi);
}

void txt_sd_LostFocus() {
    Utils::CheckPathField(controls::Main().txt_sd);
}

}  // namespace Main
