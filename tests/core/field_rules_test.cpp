// How the install list's columns become what the device gets: the flags, the distance and the
// short name.
#include "core/utils/field_rules.h"

#include <gtest/gtest.h>
#include <locale.h>
#include <stdlib.h>

#include <string>

#include "core/runtime/runtime_error.h"

namespace {

std::string DistanceOrError(const std::string& field) try {
    return Utils::DistanceValue(field);
} catch (const runtime::RuntimeError& e) {
    return "E" + std::to_string(e.Number());
}

// A flag is set only by "1" or a capital "X" between spaces. A distance is a code or a step value,
// rounded half to even, anything else 1000, beyond 16 bits an overflow (error 6, which ends the
// run like every runtime error). A short name is upper case by a fixed mapping, cut to 8 whole
// characters, then trimmed. Only the decimal comma depends on the user's locale (an unknown one
// keeps the point), nothing on the process locale, which Qt sets from the environment.
TEST(FieldRules, AreTheSameUnderEveryLocale) {
    using Rule = std::string (*)(const std::string&);
    const Rule flag = Utils::FlagValue, distance = DistanceOrError, shortName = Utils::ShortNameOf;
    // clang-format off
    struct Row { const char* name; Rule rule; std::string field, result; };
    const Row rows[] = {
        {.name = "x_between_spaces",   .rule = flag,     .field = " X ",     .result = "1"},
        {.name = "small_x",            .rule = flag,     .field = "x",       .result = "0"},
        {.name = "leading_zero",       .rule = flag,     .field = "01",      .result = "0"},
        {.name = "tab_is_no_space",    .rule = flag,     .field = "\t1",     .result = "0"},
        {.name = "half_to_even_down",  .rule = distance, .field = "2.5",     .result = "100"},
        {.name = "half_to_even_up",    .rule = distance, .field = "3.5",     .result = "500"},
        {.name = "beyond_the_codes",   .rule = distance, .field = "7",       .result = "1000"},
        {.name = "step_value_2000",    .rule = distance, .field = "2000",    .result = "2000"},
        {.name = "not_a_step_value",   .rule = distance, .field = "300",     .result = "1000"},
        {.name = "text",               .rule = distance, .field = "abc",     .result = "1000"},
        {.name = "spaces_around",      .rule = distance, .field = " 3 ",     .result = "200"},
        {.name = "lowest_int16",       .rule = distance, .field = "-32768",  .result = "1000"},
        {.name = "below_int16",        .rule = distance, .field = "-32769",  .result = "E6"},
        {.name = "rounds_above_int16", .rule = distance, .field = "32767.5", .result = "E6"},
        {.name = "beyond_a_double",    .rule = distance, .field = "1e400",   .result = "E6"},
        {.name = "largest_exponent",   .rule = distance, .field = "1e9223372036854775807",
         .result = "E6"},
        {.name = "smallest_exponent",  .rule = distance, .field = "0.01e-9223372036854775808",
         .result = "0"},
        {.name = "eighth_is_a_space",  .rule = shortName, .field = "blitzer mobil", .result = "BLITZER"},
        {.name = "latin_pairs",        .rule = shortName, .field = "àþ÷ÿœıſς",      .result = "ÀÞ÷ŸŒıſς"},
        {.name = "invalid_bytes_one",  .rule = shortName, .field = "a\xFF\xFE-bcdefg",
         .result = "A\xFF\xFE-BCDE"},
    };
    // The user's locale, and "1,5" read there.
    const std::pair<const char*, const char*> locales[] = {
        {"C", "1000"}, {"C.UTF-8", "1000"}, {"xx_NOWHERE.UTF-8", "1000"}, {"de_DE.UTF-8", "50"}};
    // clang-format on
    const std::string processLocale = setlocale(LC_NUMERIC, nullptr);
    const char* const userLocale = getenv("LC_ALL");  // overrides the others
    const std::string keptUserLocale = userLocale != nullptr ? userLocale : "";
    EXPECT_TRUE(setlocale(LC_NUMERIC, "de_DE.UTF-8")) << "scripts/install-deps generates it";
    for (const auto& [locale, commaRead] : locales) {
        setenv("LC_ALL", locale, 1);
        for (const Row& row : rows) {
            EXPECT_EQ(row.rule(row.field), row.result) << row.name << " " << locale;
        }
        EXPECT_EQ(Utils::DistanceValue("1,5"), commaRead) << locale;
    }
    setlocale(LC_NUMERIC, processLocale.c_str());
    keptUserLocale.empty() ? unsetenv("LC_ALL") : setenv("LC_ALL", keptUserLocale.c_str(), 1);
}

}  // namespace
