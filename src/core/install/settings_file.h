#pragma once

#include <string>

namespace Install {

struct CategorySettings {
    std::string shortName;
    std::string active;
    std::string distance;
    std::string soundWarning;
    std::string visualWarning;
};

// Writes the category settings file the device reads, replacing one that exists.
void WriteSettingsFile(const std::string& path, const CategorySettings& settings);

}  // namespace Install
