// Wine takes the user's locale from LANG or LC_ALL, as Windows takes it from the user's
// settings. CTest runs this test once under German and once under the C locale, naming the
// separator expected; the plain run of all tests names none and skips it.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "core/utils/field_rules.h"
#include "platform/platform.h"

namespace {

TEST(WindowsLocale, NumbersUseTheUsersDecimalSeparator) {
    const char* expected = std::getenv("MARQUILL_EXPECTED_DECIMAL_SEPARATOR");
    if (expected == nullptr) GTEST_SKIP() << "run by CTest under a named locale";
    EXPECT_EQ(platform::UserDecimalSeparator(), expected);
    // "1,5" is a number only where the comma is the separator; it then reads as 1, as Val
    // read it, which is the distance code for 50.
    EXPECT_EQ(Utils::DistanceValue("1,5"), std::string(expected) == "," ? "50" : "1000");
    EXPECT_EQ(Utils::DistanceValue("2.6"), "200");
}

}  // namespace
