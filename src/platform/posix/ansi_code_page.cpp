#include "platform/platform.h"
#include "platform/text/windows_1252.h"

namespace platform {

std::string AnsiToUtf8(std::string_view text) {
    return text::Windows1252ToUtf8(text);
}

std::string Utf8ToAnsi(std::string_view text) {
    return text::Utf8ToWindows1252(text);
}

}  // namespace platform
