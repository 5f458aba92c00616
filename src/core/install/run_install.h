#pragma once

namespace Install {

// The install run of the "Installieren" button: every category of the install list onto the
// card, then the folders stored and the program ended. Returns only when it stops early.
void RunInstall();

}  // namespace Install
