#include "core/utils/locale_number.h"

#include <algorithm>
#include <charconv>
#include <cstddef>
#include <limits>
#include <string>
#include <system_error>

#include "core/utils/field_rules.h"

namespace Utils {
namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

std::size_t SkipDigits(std::string_view text, std::size_t pos) {
    while (pos < text.size() && IsDigit(text[pos])) ++pos;
    return pos;
}

std::size_t SkipSign(std::string_view text, std::size_t pos) {
    return pos < text.size() && (text[pos] == '+' || text[pos] == '-') ? pos + 1 : pos;
}

// Length of the decimal separator at `pos`, or 0.
std::size_t SeparatorAt(std::string_view text, std::size_t pos, std::string_view localeSeparator) {
    if (text[pos] == '.') return 1;
    if (!localeSeparator.empty() && text.substr(pos).starts_with(localeSeparator)) {
        return localeSeparator.size();
    }
    return 0;
}

// Far beyond the digit count of any field, and far from the ends of a long long, so that the
// order of magnitude below never overflows.
constexpr long long kExponentLimit = 1'000'000'000'000;

// The exponent's value ("-12", "7"), held within the limit: any exponent beyond it puts every
// number out of a double's range alike.
long long SaturatedExponent(std::string_view text) {
    const bool negative = !text.empty() && text.front() == '-';
    long long value = 0;
    for (std::size_t pos = SkipSign(text, 0); pos < text.size(); ++pos) {
        value = std::min(value * 10 + (text[pos] - '0'), kExponentLimit);
    }
    return negative ? -value : value;
}

// The magnitude that from_chars could not represent: huge when the first significant digit
// stands at or left of the decimal point after the exponent, else vanishingly small.
double OutOfRangeValue(const std::string& digits, std::size_t integerDigits,
                       std::string_view exponentText) {
    const auto firstSignificant = digits.find_first_not_of('0');
    if (firstSignificant == std::string::npos) return 0.0;
    const long long order = static_cast<long long>(integerDigits) -
                            static_cast<long long>(firstSignificant) +
                            SaturatedExponent(exponentText);
    return order > 0 ? std::numeric_limits<double>::infinity() : 0.0;
}

}  // namespace

bool IsLocaleNumber(std::string_view text, std::string_view localeSeparator) {
    const std::string_view t = TrimSpaces(text);
    std::size_t pos = SkipSign(t, 0);
    bool anyDigit = false;
    bool separatorSeen = false;
    while (pos < t.size()) {
        if (IsDigit(t[pos])) {
            anyDigit = true;
            ++pos;
        } else if (const std::size_t length = SeparatorAt(t, pos, localeSeparator);
                   length > 0 && !separatorSeen) {
            separatorSeen = true;
            pos += length;
        } else {
            break;
        }
    }
    if (!anyDigit) return false;
    if (pos < t.size() && (t[pos] == 'e' || t[pos] == 'E')) {
        const std::size_t exponentStart = SkipSign(t, pos + 1);
        pos = SkipDigits(t, exponentStart);
        if (pos == exponentStart) return false;
    }
    return pos == t.size();
}

double ReadLeadingNumber(std::string_view text) {
    std::size_t pos = text.find_first_not_of(' ');
    if (pos == std::string_view::npos) return 0.0;
    const bool negative = text[pos] == '-';
    pos = SkipSign(text, pos);

    std::string digits;
    const std::size_t integerEnd = SkipDigits(text, pos);
    digits.append(text.substr(pos, integerEnd - pos));
    const std::size_t integerDigits = digits.size();
    pos = integerEnd;
    if (pos < text.size() && text[pos] == '.') {
        const std::size_t fractionEnd = SkipDigits(text, pos + 1);
        digits.append(text.substr(pos + 1, fractionEnd - pos - 1));
        pos = fractionEnd;
    }
    if (digits.empty()) return 0.0;

    std::string exponentText = "0";
    if (pos < text.size() && (text[pos] == 'e' || text[pos] == 'E')) {
        const std::size_t exponentStart = SkipSign(text, pos + 1);
        const std::size_t exponentEnd = SkipDigits(text, exponentStart);
        if (exponentEnd > exponentStart) {
            exponentText = std::string(text.substr(pos + 1, exponentEnd - pos - 1));
            if (exponentText.front() == '+') exponentText.erase(0, 1);
        }
    }

    // from_chars reads the same in every locale.
    const std::string normalised =
        digits.substr(0, integerDigits) + "." + digits.substr(integerDigits) + "e" + exponentText;
    double value = 0.0;
    const auto result =
        std::from_chars(normalised.data(), normalised.data() + normalised.size(), value);
    if (result.ec == std::errc::result_out_of_range) {
        value = OutOfRangeValue(digits, integerDigits, exponentText);
    }
    return negative ? -value : value;
}

}  // namespace Utils
