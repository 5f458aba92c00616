#include <cmath>

#include "core/runtime/runtime.h"
#include "core/utils/locale_number.h"
#include "core/utils/text_encoding.h"
#include "core/utils/utils.h"
#include "platform/platform.h"

namespace Utils {
namespace {

constexpr std::size_t kShortNameLength = 8;
constexpr int kDefaultDistance = 1000;

// Nearest integer, halves to the even neighbour, whatever the floating-point rounding mode.
double RoundHalfToEven(double value) {
    const double lower = std::floor(value);
    const double fraction = value - lower;
    if (fraction > 0.5) return lower + 1;
    if (fraction < 0.5) return lower;
    return std::fmod(lower, 2.0) == 0.0 ? lower : lower + 1;
}

std::int16_t ToInt16(double value) {
    const double rounded = RoundHalfToEven(value);
    if (!(rounded >= -32768.0 && rounded <= 32767.0)) {
        throw runtime::RuntimeError(runtime::kOverflow);
    }
    return static_cast<std::int16_t>(rounded);
}

// Codes 0 to 6 select a step, the step values stand for themselves, all else is 1000.
int DistanceStep(int value) {
    switch (value) {
        case 0:
            return 0;
        case 1:
        case 50:
            return 50;
        case 2:
        case 100:
            return 100;
        case 3:
        case 200:
            return 200;
        case 4:
        case 500:
            return 500;
        case 5:
        case 1000:
            return 1000;
        case 6:
        case 2000:
            return 2000;
        default:
            return kDefaultDistance;
    }
}

}  // namespace

std::string TrimSpaces(const std::string& text) {
    const auto first = text.find_first_not_of(' ');
    if (first == std::string::npos) return {};
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

std::string FlagValue(const std::string& field) {
    const std::string value = TrimSpaces(field);
    return value == "1" || value == "X" ? "1" : "0";
}

std::string DistanceValue(const std::string& field) {
    int value = kDefaultDistance;
    if (IsLocaleNumber(field, platform::UserDecimalSeparator())) {
        value = ToInt16(ReadLeadingNumber(field));
    }
    return std::to_string(DistanceStep(value));
}

std::string ShortNameOf(const std::string& column) {
    return TrimSpaces(CutToCharacters(UpperCaseLocaleFree(column), kShortNameLength));
}

}  // namespace Utils
