#include "platform/platform.h"
#include "platform/win32/text_conversion.h"

namespace platform {

std::FILE* OpenFileStream(const std::string& path, const char* mode) {
    return ::_wfopen(win32::Utf16FromUtf8(path).c_str(), win32::Utf16FromUtf8(mode).c_str());
}

}  // namespace platform
