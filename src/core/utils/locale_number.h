#pragma once
// Numbers in the install list: one fixed rule that takes only the decimal separator from
// the user's locale, never the process's C locale.

#include <string_view>

namespace Utils {

// After trimming spaces: optional sign, digits with at most one decimal separator among them
// (at least one digit), then optionally "e"/"E", an optional sign and digits. "." always
// separates decimals; `localeSeparator` does as well.
bool IsLocaleNumber(std::string_view text, std::string_view localeSeparator);

// The value at the start of the text, "." as the decimal point: leading spaces, sign, digits,
// fraction, exponent, up to the first character that cannot continue the number. 0 when no
// digit comes first; an infinity when the value is too large for a double.
double ReadLeadingNumber(std::string_view text);

}  // namespace Utils
