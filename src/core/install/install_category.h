#pragma once

#include <string>

namespace Install {

// Builds one category with the compiler and moves its four files onto the card.
void InstallCategory(const std::string& basePath, const std::string& shortName,
                     const std::string& active, const std::string& distance,
                     const std::string& soundWarning, const std::string& visualWarning);

}  // namespace Install
