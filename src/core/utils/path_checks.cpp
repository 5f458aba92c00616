#include "core/utils/path_checks.h"

namespace Utils {

void CheckPathField(controls::TextBox& field) {
    const std::string text = field.Text();
    if (text.empty() || text == kUnknownMarker) {
        field.SetText(kUnknownMarker);
        field.SetForeColor(controls::kRed);
    } else {
        field.SetForeColor(controls::kBlack);
    }
    UpdateInstallButton();
}

void UpdateInstallButton() {
    auto& c = controls::Main();
    const bool anyUnknown = c.txt_navman.Caption() == kUnknownMarker ||
                            c.txt_poi.Text() == kUnknownMarker || c.txt_sd.Text() == kUnknownMarker;
    c.cmd_Start.SetEnabled(!anyUnknown);
}

}  // namespace Utils
