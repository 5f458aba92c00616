#include "core/install/save_and_quit.h"

#include "core/controls/controls.h"
#include "core/runtime/runtime_services.h"
#include "core/vbreg/registry_keys.h"
#include "core/vbreg/registry_strings.h"

namespace Install {

void SaveAndQuit() {
    auto& c = controls::Main();
    vbreg::WriteRegString(vbreg::kSettingsKey, "Path_POI", c.txt_poi.Text());
    vbreg::WriteRegString(vbreg::kSettingsKey, "Path_SD", c.txt_sd.Text());
    runtime::EndProgram();
}

}  // namespace Install
