#include <gtest/gtest.h>
#include <locale.h>
#include <stdlib.h>

#include <optional>
#include <string>
#include <utility>

#include "core/runtime/runtime.h"
#include "core/utils/utils.h"

namespace {

// The user's locale (LC_ALL overrides the others) for one test, restored afterwards.
class ScopedLocale {
public:
    explicit ScopedLocale(const char* name) {
        if (const char* old = std::getenv("LC_ALL")) saved_ = old;
        setenv("LC_ALL", name, 1);
    }
    ~ScopedLocale() { saved_ ? setenv("LC_ALL", saved_->c_str(), 1) : unsetenv("LC_ALL"); }

private:
    std::optional<std::string> saved_;
};

bool LocaleInstalled(const char* name) {
    const locale_t probe = newlocale(LC_NUMERIC_MASK, name, static_cast<locale_t>(nullptr));
    if (probe != static_cast<locale_t>(nullptr)) freelocale(probe);
    return probe != static_cast<locale_t>(nullptr);
}

TEST(FlagValueTest, OnlyOneOrCapitalXBetweenSpacesIsSet) {
    const std::pair<std::string, std::string> cases[] = {
        {" X ", "1"}, {"1", "1"},  {"   1", "1"}, {"x", "0"},   {"0", "0"},   {"01", "0"},
        {"1.0", "0"}, {"ja", "0"}, {"", "0"},     {"\t1", "0"}, {"X X", "0"},
    };
    for (const auto& [field, flag] : cases) EXPECT_EQ(Utils::FlagValue(field), flag) << field;
}

void ExpectDistances() {
    const std::pair<std::string, std::string> cases[] = {
        {"2.6", "200"},     {"2.5", "100"},   {"3.5", "500"},    {"-0.4", "0"},
        {"5", "1000"},      {"7", "1000"},    {"300", "1000"},   {"abc", "1000"},
        {"", "1000"},       {"0", "0"},       {"1", "50"},       {"50", "50"},
        {"2", "100"},       {"100", "100"},   {"3", "200"},      {"200", "200"},
        {"4", "500"},       {"500", "500"},   {"1000", "1000"},  {"6", "2000"},
        {"2000", "2000"},   {" 3 ", "200"},   {"+4", "500"},     {".5", "0"},
        {"6.", "2000"},     {"1e2", "100"},   {"5e-1", "0"},     {"32767", "1000"},
        {"-32768", "1000"}, {"1e", "1000"},   {"1.2.3", "1000"}, {"1 000", "1000"},
        {"\t3", "1000"},    {"0x10", "1000"}, {"1,5,5", "1000"},
    };
    for (const auto& [field, step] : cases) EXPECT_EQ(Utils::DistanceValue(field), step) << field;
    for (const char* field : {"40000", "32767.5", "-32769", "1e999"}) {
        try {
            Utils::DistanceValue(field);
            ADD_FAILURE() << "no overflow for " << field;
        } catch (const runtime::RuntimeError& e) {
            EXPECT_EQ(e.Number(), 6) << field;
        }
    }
}

// Only the decimal comma depends on the user's locale; an unknown one keeps the point.
TEST(DistanceValueTest, FollowsTheCodeTableUnderEveryLocale) {
    const struct {
        const char* locale;
        std::string commaDistance;
    } cases[] = {{"C.UTF-8", "1000"}, {"xx_NOWHERE.UTF-8", "1000"}, {"de_DE.UTF-8", "50"}};
    for (const auto& c : cases) {
        if (!LocaleInstalled(c.locale) && c.commaDistance == "50") GTEST_SKIP() << c.locale;
        ScopedLocale locale(c.locale);
        ExpectDistances();
        EXPECT_EQ(Utils::DistanceValue("1,5"), c.commaDistance) << c.locale;
    }
}

TEST(DistanceValueTest, IgnoresTheProcessLocale) {
    if (!LocaleInstalled("de_DE.UTF-8")) GTEST_SKIP() << "locale de_DE.UTF-8 is not generated";
    ScopedLocale user("C.UTF-8");
    const std::string previous = setlocale(LC_NUMERIC, nullptr);
    ASSERT_NE(setlocale(LC_NUMERIC, "de_DE.UTF-8"), nullptr);
    const std::string distance = Utils::DistanceValue("2.6") + Utils::DistanceValue("1,5");
    setlocale(LC_NUMERIC, previous.c_str());
    EXPECT_EQ(distance, "2001000");
}

// Upper case by a fixed mapping, then the first 8 whole characters, then trimmed.
TEST(ShortNameTest, SameUnderEveryLocale) {
    const std::pair<std::string, std::string> cases[] = {
        {"blitz", "BLITZ"},
        {"blitzer mobil", "BLITZER"},
        {"  ab", "AB"},
        {"Radarfallen", "RADARFAL"},
        {"", ""},
        {"        x", ""},
        {"über", "ÜBER"},
        {"straße", "STRAßE"},
        {"größenmaß", "GRÖßENMA"},
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
