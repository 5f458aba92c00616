#include "poicompiler/open_input.h"

namespace poicompiler {

std::FILE* OpenInput(const std::filesystem::path& path) {
    return ::_wfopen(path.c_str(), L"rb");
}

}  // namespace poicompiler
