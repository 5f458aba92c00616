#include "poicompiler/open_input.h"

namespace poicompiler {

std::FILE* OpenInput(const std::filesystem::path& path) {
    return std::fopen(path.c_str(), "rb");
}

}  // namespace poicompiler
