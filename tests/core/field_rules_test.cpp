#include "core/utils/field_rules.h"

#include <gtest/gtest.h>
#include <locale.h>
#include <stdlib.h>

#include <string>
#include <utility>

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

std::string DistanceOrError(const std::string& field) try {
    return Utils::DistanceValue(field);
} catch (const runtime::RuntimeError& e) {
    return "E" + std::to_string(e.Number());
}

TEST(FlagValueTest, OnlyOneOrCapitalXBetweenSpacesIsSet) {
    const std::pair<std::string, std::string> cases[] = {
        {" X ", "1"}, {"1", "1"},  {"   1", "1"}, {"x", "0"},   {"0", "0"},   {"01", "0"},
        {"1.0", "0"}, {"ja", "0"}, {"", "0"},     {"\t1", "0"}, {"X X", "0"},
    };
    for (const auto& [field, flag] : cases) EXPECT_EQ(Utils::FlagValue(field), flag) << field;
}

// Only the decimal comma depends on the user's locale (an unknown one keeps the point), never
// on the process locale, which Qt sets from the environment.
TEST(DistanceValueTest, FollowsTheCodeTableUnderEveryLocale) {
    const std::pair<std::string, std::string> cases[] = {
        {"2.6", "200"},   {"2.5", "100"},   {"3.5", "500"},    {"-0.4", "0"},
        {"5", "1000"},    {"7", "1000"},    {"300", "1000"},   {"abc", "1000"},
        {"", "1000"},     {"1", "50"},      {"6", "2000"},     {"2000", "2000"},
        {" 3 ", "200"},   {"1e2", "100"},   {"1.2.3", "1000"}, {"1 000", "1000"},
        {"0x10", "1000"}, {"\t3", "1000"},  {"1,5,5", "1000"}, {"-32768", "1000"},
        {"40000", "E6"},  {"-32769", "E6"}, {"32767.5", "E6"}, {"1e999", "E6"},
    };
    const std::string processLocale = setlocale(LC_NUMERIC, nullptr);
    const bool germanInstalled = setlocale(LC_NUMERIC, "de_DE.UTF-8") != nullptr;
    for (const auto& [locale, commaDistance] :
         {std::pair{"C.UTF-8", "1000"}, {"xx_NOWHERE.UTF-8", "1000"}, {"de_DE.UTF-8", "50"}}) {
        if (!germanInstalled && commaDistance == std::string("50")) GTEST_SKIP() << locale;
        ScopedLocale user(locale);
        for (const auto& [field, step] : cases) EXPECT_EQ(DistanceOrError(field), step) << field;
        EXPECT_EQ(Utils::DistanceValue("1,5"), commaDistance) << locale;
    }
    setlocale(LC_NUMERIC, processLocale.c_str());
}

// Upper case by a fixed mapping, then the first 8 whole characters, then trimmed.
TEST(ShortNameTest, SameUnderEveryLocale) {
    const std::pair<std::string, std::string> cases[] = {
        {"blitzer mobil", "BLITZER"},
        {"  ab", "AB"},
        {"Radarfallen", "RADARFAL"},
        {"        x", ""},
        {"über", "ÜBER"},
        {"straße", "STRAßE"},
        {"abcdefg€x", "ABCDEFG€"},
        {"àþ÷ÿœıſς", "ÀÞ÷ŸŒıſς"},
        {"a\xFF\xFE-bcdefg", "A\xFF\xFE-BCDE"},
    };
    for (const char* name : {"C", "C.UTF-8", "de_DE.UTF-8", "tr_TR.UTF-8"}) {
        ScopedLocale locale(name);
        for (const auto& [column, shortName] : cases) {
            EXPECT_EQ(Utils::ShortNameOf(column), shortName) << column << " under " << name;
        }
    }
}

}  // namespace
