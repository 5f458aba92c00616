#pragma once

#include <cstdio>
#include <filesystem>

namespace poicompiler {

// std::fopen for reading in binary; a path holds wide text on Windows. nullptr and errno when
// the file cannot be opened.
std::FILE* OpenInput(const std::filesystem::path& path);

}  // namespace poicompiler
