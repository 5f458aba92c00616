#include <gtest/gtest.h>
#include <locale.h>
#include <stdlib.h>

#include <cmath>
#include <optional>

#include "core/runtime/runtime.h"
#include "core/utils/locale_number.h"
#include "core/utils/utils.h"
#include "support/scripted_runtime.h"

namespace {

// Sets the user's locale variables for one test and restores them afterwards.
class ScopedLocale {
public:
    explicit ScopedLocale(const char* name) {
        for (const char* variable : kVariables) {
            const char* old = std::getenv(variable);
            saved_.push_back(old != nullptr ? std::optional<std::string>(old) : std::nullopt);
            setenv(variable, name, 1);
        }
    }
    ~ScopedLocale() {
        for (std::size_t i = 0; i < saved_.size(); ++i) {
            if (saved_[i]) {
                setenv(kVariables[i], saved_[i]->c_str(), 1);
            } else {
                unsetenv(kVariables[i]);
            }
        }
    }
    ScopedLocale(const ScopedLocale&) = delete;
    ScopedLocale& operator=(const ScopedLocale&) = delete;

private:
    static constexpr const char* kVariables[] = {"LC_ALL", "LC_NUMERIC", "LANG"};
    std::vector<std::optional<std::string>> saved_;
};

bool LocaleInstalled(const char* name) {
    const locale_t probe = newlocale(LC_NUMERIC_MASK, name, static_cast<locale_t>(nullptr));
    if (probe == static_cast<locale_t>(nullptr)) return false;
    freelocale(probe);
    return true;
}

TEST(FlagValueTest, OnlyOneOrCapitalXBetweenSpacesIsSet) {
    const struct {
        std::string field;
        std::string flag;
    } cases[] = {
        {" X ", "1"}, {"1", "1"},   {"X", "1"},   {"   1", "1"}, {"x", "0"},
        {"0", "0"},   {"01", "0"},  {"1.0", "0"}, {"ja", "0"},   {"", "0"},
        {"\t1", "0"}, {"1\t", "0"}, {"X X", "0"},
    };
    for (const auto& c : cases) EXPECT_EQ(Utils::FlagValue(c.field), c.flag) << c.field;
}

TEST(TrimSpacesTest, RemovesSpacesOnlyAtBothEnds) {
    EXPECT_EQ(Utils::TrimSpaces("  Blitzer mobil  "), "Blitzer mobil");
    EXPECT_EQ(Utils::TrimSpaces("   "), "");
    EXPECT_EQ(Utils::TrimSpaces("\tab\t"), "\tab\t");
}

struct DistanceCase {
    std::string field;
    std::string distance;
};

const DistanceCase kDistanceCases[] = {
    {"2.6", "200"},    {"2.5", "100"},    {"3.5", "500"},    {"-0.4", "0"},      {"5", "1000"},
    {"7", "1000"},     {"300", "1000"},   {"abc", "1000"},   {"", "1000"},       {"0", "0"},
    {"1", "50"},       {"50", "50"},      {"2", "100"},      {"100", "100"},     {"3", "200"},
    {"200", "200"},    {"4", "500"},      {"500", "500"},    {"1000", "1000"},   {"6", "2000"},
    {"2000", "2000"},  {" 3 ", "200"},    {"+4", "500"},     {"4.5", "500"},     {"5.5", "2000"},
    {"0.5", "0"},      {"1.5", "100"},    {".5", "0"},       {"6.", "2000"},     {"1e2", "100"},
    {"2E+3", "2000"},  {"5e-1", "0"},     {"32767", "1000"}, {"-32768", "1000"}, {"1e", "1000"},
    {"1.2.3", "1000"}, {"- 1", "1000"},   {"1 000", "1000"}, {"\t3", "1000"},    {"0x10", "1000"},
    {"1,5,5", "1000"}, {"1.5,5", "1000"},
};

void ExpectDistances() {
    for (const auto& c : kDistanceCases) {
        EXPECT_EQ(Utils::DistanceValue(c.field), c.distance) << "field: " << c.field;
    }
}

void ExpectOverflow(const std::string& field) {
    try {
        Utils::DistanceValue(field);
        ADD_FAILURE() << "no overflow for " << field;
    } catch (const runtime::RuntimeError& e) {
        EXPECT_EQ(e.Number(), 6) << field;
        EXPECT_EQ(e.Description(), "Überlauf") << field;
    }
}

void ExpectOverflows() {
    for (const char* field :
         {"40000", "32767.5", "-32769", "1e999", "-1e400", "99999999999999999999"}) {
        ExpectOverflow(field);
    }
}

TEST(DistanceValueTest, FollowsTheCodeTableUnderCUtf8) {
    ScopedLocale locale("C.UTF-8");
    ExpectDistances();
    EXPECT_EQ(Utils::DistanceValue("1,5"), "1000");
    ExpectOverflows();
}

TEST(DistanceValueTest, FollowsTheCodeTableUnderGerman) {
    if (!LocaleInstalled("de_DE.UTF-8")) GTEST_SKIP() << "locale de_DE.UTF-8 is not generated";
    ScopedLocale locale("de_DE.UTF-8");
    ExpectDistances();
    EXPECT_EQ(Utils::DistanceValue("1,5"), "50");
    EXPECT_EQ(Utils::DistanceValue(" 2,5 "), "100");
    EXPECT_EQ(Utils::DistanceValue("1,5e1"), "50");
    ExpectOverflows();
}

TEST(DistanceValueTest, UnknownLocaleFallsBackToThePoint) {
    ScopedLocale locale("xx_NOWHERE.UTF-8");
    EXPECT_EQ(Utils::DistanceValue("2.6"), "200");
    EXPECT_EQ(Utils::DistanceValue("1,5"), "1000");
}

TEST(DistanceValueTest, IgnoresTheProcessLocale) {
    if (!LocaleInstalled("de_DE.UTF-8")) GTEST_SKIP() << "locale de_DE.UTF-8 is not generated";
    ScopedLocale user("C.UTF-8");
    const std::string previous = setlocale(LC_NUMERIC, nullptr);
    ASSERT_NE(setlocale(LC_NUMERIC, "de_DE.UTF-8"), nullptr);
    const std::string distance = Utils::DistanceValue("2.6");
    const std::string comma = Utils::DistanceValue("1,5");
    setlocale(LC_NUMERIC, previous.c_str());
    EXPECT_EQ(distance, "200");
    EXPECT_EQ(comma, "1000");
}

TEST(NumberReaderTest, StopsWhereTheNumberEnds) {
    const struct {
        std::string text;
        double value;
    } cases[] = {
        {"1,5", 1.0},    {"  2.5e1x", 25.0}, {"-0.4", -0.4}, {".5", 0.5},
        {"5.", 5.0},     {"+7", 7.0},        {"1e", 1.0},    {"1e+", 1.0},
        {"1e-400", 0.0}, {"", 0.0},          {"abc", 0.0},   {"12.34.5", 12.34},
    };
    for (const auto& c : cases) EXPECT_DOUBLE_EQ(Utils::ReadLeadingNumber(c.text), c.value);
    EXPECT_TRUE(std::isinf(Utils::ReadLeadingNumber("1e400")));
    EXPECT_LT(Utils::ReadLeadingNumber("-1e99999999999999999999"), -1e308);
}

TEST(ShortNameTest, UpperCasesCutsAndTrims) {
    const struct {
        std::string column;
        std::string shortName;
    } cases[] = {
        {"blitz", "BLITZ"},
        {"blitzer mobil", "BLITZER"},
        {"  ab", "AB"},
        {"Radarfallen", "RADARFAL"},
        {"", ""},
        {"        x", ""},
        {"a b", "A B"},
        {"\xC3\xBC"
         "ber",
         "\xC3\x9C"
         "BER"},
        {"stra\xC3\x9F"
         "e",
         "STRA\xC3\x9F"
         "E"},
        {"gr\xC3\xB6\xC3\x9F"
         "enma\xC3\x9F",
         "GR\xC3\x96\xC3\x9F"
         "ENMA"},
        {"../x", "../X"},
    };
    for (const char* name : {"C", "C.UTF-8", "de_DE.UTF-8", "tr_TR.UTF-8"}) {
        ScopedLocale locale(name);
        for (const auto& c : cases) {
            EXPECT_EQ(Utils::ShortNameOf(c.column), c.shortName) << c.column << " under " << name;
        }
    }
}

}  // namespace
