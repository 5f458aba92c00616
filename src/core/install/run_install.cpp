#include "core/install/install.h"

namespace Install {

// The install run arrives with its own change; until then the button starts nothing.
void RunInstall() {}

}  // namespace Install
