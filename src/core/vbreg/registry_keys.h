#pragma once
// Every registry key the program touches, all under HKEY_LOCAL_MACHINE, spelled as passed.

namespace vbreg {

// Path_POI and Path_SD: the two folders the user typed.
inline constexpr const char* kSettingsKey = "SOFTWARE\\Tarvo\\Marquill\\";
// InstallLocation: NavMan's folder, written by NavMan's installer.
inline constexpr const char* kNavManKey =
    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\"
    "{17C4BEEA-D6E8-4975-B2CC-53F6F5CE9959}\\";
// SystemRoot: the Windows folder, under the key of the system's family.
inline constexpr const char* kNtVersionKey = "Software\\Microsoft\\Windows NT\\CurrentVersion";
inline constexpr const char* kWindowsVersionKey = "Software\\Microsoft\\Windows\\CurrentVersion";

}  // namespace vbreg
