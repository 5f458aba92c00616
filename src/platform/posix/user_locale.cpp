#include <langinfo.h>
#include <locale.h>

#include "platform/platform.h"

namespace platform {

std::string UserDecimalSeparator() {
    // An empty name makes newlocale consult LC_ALL, LC_NUMERIC and LANG, without touching the
    // process's own locale.
    const locale_t numeric = newlocale(LC_NUMERIC_MASK, "", static_cast<locale_t>(nullptr));
    if (numeric == static_cast<locale_t>(nullptr)) return ".";
    const char* radix = nl_langinfo_l(RADIXCHAR, numeric);
    std::string separator = radix != nullptr && *radix != '\0' ? radix : ".";
    freelocale(numeric);
    return separator;
}

}  // namespace platform
