#include "core/controls/controls.h"
#include "core/install/install.h"
#include "core/runtime/runtime.h"
#include "core/vbreg/vbreg.h"

namespace Install {

void SaveAndQuit() {
    auto& c = controls::Main();
    vbreg::WriteRegString(kSettingsKey, "Path_POI", c.txt_poi.Text());
    vbreg::WriteRegString(kSettingsKey, "Path_SD", c.txt_sd.Text());
    runtime::EndProgram();
}

}  // namespace Install
