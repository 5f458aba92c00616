#pragma once
// Module Main: the event handlers of the program's one window. The front end calls them
// from its events, each inside its guard.

#include "core/controls/controls.h"

namespace Main {

inline constexpr const char* kCaption = "Marquill (200512181907)";

void Form_Load(controls::Form& form);
void Form_Unload(int& cancel);
void cmd_quit_Click();
void cmd_Start_Click();
void txt_poi_LostFocus();
void txt_sd_LostFocus();

}  // namespace Main
