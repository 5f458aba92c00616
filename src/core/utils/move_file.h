#pragma once

#include <string>

namespace Utils {

// Copies the source over the destination, then deletes the source.
void MoveFile(const std::string& source, const std::string& destination);

}  // namespace Utils
