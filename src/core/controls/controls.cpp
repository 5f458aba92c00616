#include "core/controls/controls.h"

#include <stdexcept>

namespace controls {

namespace {
MainControls* installed = nullptr;
}

void InstallMainControls(MainControls* controls) {
    installed = controls;
}

MainControls& Main() {
    if (installed == nullptr)
        throw std::logic_error("the main window's controls are not installed");
    return *installed;
}

}  // namespace controls
