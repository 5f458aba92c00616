#include "core/utils/field_rules.h"

#include <gtest/gtest.h>
#include <locale.h>
#include <stdlib.h>

#include <string>

#include "core/runtime/runtime_error.h"

namespace {

// The user's locale (LC_ALL overrides the others) for one test, restored afterwards.
struct ScopedLocale {
    explicit ScopedLocale(const char* name) : saved(getenv("LC_ALL") ? getenv("LC_ALL") : "") {
        setenv("LC_ALL", name, 1);
    }
    ~ScopedLocale() { saved.empty() ? unsetenv("LC_ALL") : setenv("LC_ALL", saved.c_str(), 1); }
    std::string saved;
};

struct Row {
    const char* name;
    std::string field, result;
};

TEST(FlagValue, OnlyOneOrCapitalXBetweenSpacesIsSet) {
    // clang-format off
    const Row rows[] = {
        {.name = "x_between_spaces", .field = " X ",  .result = "1"},
        {.name = "one",              .field = "1",    .result = "1"},
        {.name = "small_x",          .field = "x",    .result = "0"},
        {.name = "leading_zero",     .field = "01",   .result = "0"},
        {.name = "empty",            .field = "",     .result = "0"},
        {.name = "tab_is_no_space",  .field = "\t1",  .result = "0"},
    };
    // clang-format on
    for (const Row& row : rows) EXPECT_EQ(Utils::FlagValue(row.field), row.result) << row.name;
}

std::string DistanceOrError(const std::string& field) try {
    return Utils::DistanceValue(field);
} catch (const runtime::RuntimeError& e) {
    return "E" + std::to_string(e.Number());
}

// 40000 is the install run's overflow case. Only the decimal comma depends on the user's locale (an
// unknown one keeps the point), never on the process locale, which Qt sets from the environment.
TEST(DistanceValue, FollowsTheCodeTableUnderEveryLocale) {
    // clang-format off
    const Row rows[] = {
        {.name = "rounds_up",          .field = "2.6",     .result = "200"},
        {.name = "half_to_even_down",  .field = "2.5",     .result = "100"},
        {.name = "half_to_even_up",    .field = "3.5",     .result = "500"},
        {.name = "negative_to_zero",   .field = "-0.4",    .result = "0"},
        {.name = "code_1",             .field = "1",       .result = "50"},
        {.name = "code_6",             .field = "6",       .result = "2000"},
        {.name = "beyond_the_codes",   .field = "7",       .result = "1000"},
        {.name = "step_value_2000",    .field = "2000",    .result = "2000"},
        {.name = "not_a_step_value",   .field = "300",     .result = "1000"},
        {.name = "text",               .field = "abc",     .result = "1000"},
        {.name = "empty",              .field = "",        .result = "1000"},
        {.name = "spaces_around",      .field = " 3 ",     .result = "200"},
        {.name = "exponent_step_100",  .field = "1e2",     .result = "100"},
        {.name = "inner_blank",        .field = "1 000",   .result = "1000"},
        {.name = "hex",                .field = "0x10",    .result = "1000"},
        {.name = "lowest_int16",       .field = "-32768",  .result = "1000"},
        {.name = "below_int16",        .field = "-32769",  .result = "E6"},
        {.name = "rounds_above_int16", .field = "32767.5", .result = "E6"},
        {.name = "beyond_a_double",    .field = "1e400",   .result = "E6"},
        {.name = "largest_exponent",   .field = "1e9223372036854775807",     .result = "E6"},
        {.name = "smallest_exponent",  .field = "0.01e-9223372036854775808", .result = "0"},
    };
    // clang-format on
    const std::string processLocale = setlocale(LC_NUMERIC, nullptr);
    EXPECT_TRUE(setlocale(LC_NUMERIC, "de_DE.UTF-8")) << "scripts/install-deps generates it";
    const Row locales[] = {
        {.name = "C.UTF-8", .field = "1,5", .result = "1000"},
        {.name = "xx_NOWHERE.UTF-8", .field = "1,5", .result = "1000"},
        {.name = "de_DE.UTF-8", .field = "1,5", .result = "50"},
    };
    for (const Row& locale : locales) {
        ScopedLocale user(locale.name);
        for (const Row& row : rows) {
            EXPECT_EQ(DistanceOrError(row.field), row.result) << row.name << " " << locale.name;
        }
        EXPECT_EQ(Utils::DistanceValue(locale.field), locale.result) << "1,5 " << locale.name;
    }
    setlocale(LC_NUMERIC, processLocale.c_str());
}

// Upper case by a fixed mapping, then the first 8 whole characters, then trimmed.
TEST(ShortName, SameUnderEveryLocale) {
    // clang-format off
    const Row rows[] = {
        {.name = "eighth_is_a_space",    .field = "blitzer mobil", .result = "BLITZER"},
        {.name = "cut_at_eight",         .field = "Radarfallen",   .result = "RADARFAL"},
        {.name = "only_spaces_in_eight", .field = "        x",     .result = ""},
        {.name = "sharp_s_stays",        .field = "straße",        .result = "STRAßE"},
        {.name = "multibyte_is_one",     .field = "abcdefg€x",     .result = "ABCDEFG€"},
        {.name = "latin_pairs",          .field = "àþ÷ÿœıſς",      .result = "ÀÞ÷ŸŒıſς"},
        {.name = "invalid_bytes_one",    .field = "a\xFF\xFE-bcdefg", .result = "A\xFF\xFE-BCDE"},
    };
    // clang-format on
    for (const char* locale : {"C", "C.UTF-8", "de_DE.UTF-8", "tr_TR.UTF-8"}) {
        ScopedLocale user(locale);
        for (const Row& row : rows) {
            EXPECT_EQ(Utils::ShortNameOf(row.field), row.result) << row.name << " " << locale;
        }
    }
}

}  // namespace
