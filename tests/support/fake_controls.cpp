#include "support/fake_controls.h"

namespace testsupport {

FakeMainWindow::FakeMainWindow() : controls_{txt_poi, txt_sd, txt_navman, lbl_active, cmd_Start} {
    controls::InstallMainControls(&controls_);
}

FakeMainWindow::~FakeMainWindow() {
    controls::InstallMainControls(nullptr);
}

}  // namespace testsupport
