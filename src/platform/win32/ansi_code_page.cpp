#include "platform/platform.h"
#include "platform/win32/text_conversion.h"

namespace platform {

std::string AnsiToUtf8(std::string_view text) {
    return win32::Utf8FromAnsi(text);
}

std::string Utf8ToAnsi(std::string_view text) {
    return win32::AnsiFromUtf8(text);
}

}  // namespace platform
