#pragma once
// Module Install: the install run, one category's build, and storing the folders at the end.

#include <string>

namespace Install {

inline constexpr const char* kSettingsKey = "SOFTWARE\\Tarvo\\Marquill\\";

void RunInstall();
void InstallCategory(const std::string& basePath, const std::string& shortName,
                     const std::string& active, const std::string& distance,
                     const std::string& soundWarning, const std::string& visualWarning);
[[noreturn]] void SaveAndQuit();

}  // namespace Install
