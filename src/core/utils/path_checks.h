#pragma once
// The checks on the path fields that decide their colour and whether installing is allowed.

#include "core/controls/controls.h"

namespace Utils {

inline constexpr const char* kUnknownMarker = "unbekannt!";

void CheckPathField(controls::TextBox& field);
void UpdateInstallButton();

}  // namespace Utils
