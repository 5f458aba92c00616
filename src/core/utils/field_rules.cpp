#include "core/utils/field_rules.h"

#include <cmath>
#include <cstdint>

#include "core/runtime/runtime_error.h"
#include "core/utils/locale_number.h"
#include "platform/platform.h"
#include "platform/text/letter_case.h"
#include "platform/text/utf8.h"

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

// The first `count` characters; a multi-byte character is never split. An invalid byte counts
// as one character.
std::string_view CutToCharacters(std::string_view text, std::size_t count) {
    char32_t codePoint = 0;
    std::size_t pos = 0;
    for (std::size_t taken = 0; taken < count && pos < text.size(); ++taken) {
        const std::size_t length = platform::text::DecodeUtf8At(text, pos, codePoint);
        pos += length == 0 ? 1 : length;
    }
    return text.substr(0, pos);
}

}  // namespace

std::string_view TrimSpaces(std::string_view text) {
    const auto first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) return {};
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

std::string FlagValue(const std::string& field) {
    const std::string_view value = TrimSpaces(field);
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
    const std::string upper = platform::text::UpperCaseLocaleFree(column);
    return std::string(TrimSpaces(CutToCharacters(upper, kShortNameLength)));
}

}  // namespace Utils
