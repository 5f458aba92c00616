#include "platform/platform.h"
#include "platform/win32/text_conversion.h"
#include "platform/win32/windows_api.h"

namespace platform {

std::string UserDecimalSeparator() {
    wchar_t separator[8] = {};
    const int length = ::GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, separator, 8);
    if (length <= 1) return ".";
    return win32::Utf8FromUtf16(std::wstring_view(separator, static_cast<std::size_t>(length - 1)));
}

}  // namespace platform
