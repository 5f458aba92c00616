#include "platform/platform.h"

namespace platform {

std::FILE* OpenFileStream(const std::string& path, const char* mode) {
    return std::fopen(path.c_str(), mode);
}

}  // namespace platform
