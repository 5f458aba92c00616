#include "core/utils/text_encoding.h"

#include <gtest/gtest.h>

namespace {

TEST(TextEncodingTest, RecognisesValidUtf8Only) {
    const struct {
        std::string bytes;
        bool valid;
    } cases[] = {
        {"", true},
        {"Blitzer;blitz;1", true},
        {"Blitzer \xC3\x96sterreich", true},
        {"\xE2\x82\xAC", true},            // euro sign
        {"\xF0\x9F\x98\x80", true},        // four bytes
        {"Blitzer \xD6sterreich", false},  // Windows-1252 Ö
        {"\xC0\x80", false},               // overlong NUL
        {"\xE0\x80\xAF", false},           // overlong slash
        {"\xED\xA0\x80", false},           // surrogate
        {"\xF4\x90\x80\x80", false},       // beyond U+10FFFF
        {"\xC3", false},                   // cut short
        {"\x80", false},                   // lone continuation
    };
    for (const auto& c : cases) EXPECT_EQ(Utils::IsValidUtf8(c.bytes), c.valid) << c.bytes;
}

TEST(TextEncodingTest, ConvertsWindows1252ToUtf8) {
    const struct {
        std::string cp1252;
        std::string utf8;
    } cases[] = {
        {"Blitzer \xD6sterreich", "Blitzer \xC3\x96sterreich"},
        {"Stra\xDF"
         "e",
         "Stra\xC3\x9F"
         "e"},
        {"\x80", "\xE2\x82\xAC"},
        {"\x8A\x9F", "\xC5\xA0\xC5\xB8"},  // Š Ÿ
        {"\x81", "\xC2\x81"},              // unassigned byte keeps its C1 code point
        {"a;b\r\n", "a;b\r\n"},
        {"\xFF", "\xC3\xBF"},
    };
    for (const auto& c : cases) EXPECT_EQ(Utils::Windows1252ToUtf8(c.cp1252), c.utf8);
}

TEST(TextEncodingTest, UpperCasesWithTheFixedMapping) {
    const struct {
        std::string in;
        std::string out;
    } cases[] = {
        {"blitz 1;x", "BLITZ 1;X"},
        {"\xC3\xBC"
         "ber",
         "\xC3\x9C"
         "BER"},  // über
        {"stra\xC3\x9F"
         "e",
         "STRA\xC3\x9F"
         "E"},                                                                     // ß stays
        {"\xC3\xA0\xC3\xBE\xC3\xB7", "\xC3\x80\xC3\x9E\xC3\xB7"},                  // à þ ÷
        {"\xC3\xBF", "\xC5\xB8"},                                                  // ÿ
        {"\xC5\xBE\xC4\x8D\xC5\x82\xC5\x93", "\xC5\xBD\xC4\x8C\xC5\x81\xC5\x92"},  // ž č ł œ
        {"\xC4\xB1\xC5\xBF", "\xC4\xB1\xC5\xBF"},  // dotless i, long s stay
        {"\xC2\xB5", "\xC2\xB5"},                  // micro sign stays
        {"\xCE\xB1\xCF\x82", "\xCE\x91\xCF\x82"},  // α, final sigma stays
        {"\xD0\xB6\xD1\x91", "\xD0\x96\xD0\x81"},  // ж ё
        {"a\xFF"
         "b",
         "A\xFF"
         "B"},  // invalid byte passes
    };
    for (const auto& c : cases) EXPECT_EQ(Utils::UpperCaseLocaleFree(c.in), c.out) << c.in;
}

TEST(TextEncodingTest, CutsWholeCharactersOnly) {
    const struct {
        std::string in;
        std::size_t count;
        std::string out;
    } cases[] = {
        {"RADARFALLEN", 8, "RADARFAL"},
        {"AB", 8, "AB"},
        {"", 8, ""},
        {"\xC3\x9C\xC3\x9C\xC3\x9C\xC3\x9C\xC3\x9C\xC3\x9C\xC3\x9C\xC3\x9C\xC3\x9C", 8,
         "\xC3\x9C\xC3\x9C\xC3\x9C\xC3\x9C\xC3\x9C\xC3\x9C\xC3\x9C\xC3\x9C"},
        {"ABCDEFG\xE2\x82\xAC"
         "X",
         8, "ABCDEFG\xE2\x82\xAC"},
        {"ABCDEFGH\xE2\x82\xAC", 8, "ABCDEFGH"},
        {"\xFF\xFE"
         "ABCDEFG",
         8,
         "\xFF\xFE"
         "ABCDEF"},
    };
    for (const auto& c : cases) EXPECT_EQ(Utils::CutToCharacters(c.in, c.count), c.out);
}

}  // namespace
