#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "platform/platform.h"
#include "registry_test_util.h"
#include "support/test_environment.h"

namespace {

using namespace std::string_literals;
using registrytest::Query;
using registrytest::Store;
using registrytest::StoredValue;
using testsupport::ReadFile;
using testsupport::WriteFile;

class HiveFile : public testsupport::IsolatedTest {
protected:
    void SetUp() override {
        IsolatedTest::SetUp();
        std::filesystem::create_directories(ConfigHome() + "/marquill");
    }
    void WriteHive(const std::string& text) { WriteFile(HivePath(), text); }
    std::string HiveText() const { return ReadFile(HivePath()); }
};

struct ReadCase {
    const char* label;
    std::string hive;
    const char* key;
    const char* name;
    std::optional<StoredValue> expected;
};

const std::string kHead = "REGEDIT4\n\n[HKEY_LOCAL_MACHINE\\SOFTWARE\\Tarvo]\n";

TEST_F(HiveFile, ReadsEveryFormOfTheSyntax) {
    const std::vector<ReadCase> cases = {
        {"quoted text", kHead + "\"a\"=\"x y\"\n", "SOFTWARE\\Tarvo", "a", {{1, "x y\0"s}}},
        {"escapes",
         kHead + R"("a"="C:\\Pfad \"q\"")" + "\n",
         "SOFTWARE\\Tarvo",
         "a",
         {{1, "C:\\Pfad \"q\"\0"s}}},
        {"escaped name",
         kHead + R"("n\"a\\me"="1")" + "\n",
         "SOFTWARE\\Tarvo",
         "n\"a\\me",
         {{1, "1\0"s}}},
        {"CR LF line ends",
         "REGEDIT4\r\n\r\n[HKEY_LOCAL_MACHINE\\K]\r\n\"a\"=\"1\"\r\n",
         "K",
         "a",
         {{1, "1\0"s}}},
        {"comments, blanks, indents",
         "REGEDIT4\n; note\n\n  [HKEY_LOCAL_MACHINE\\K]  \n\t; more\n  \"a\" = \"1\"  \n\n",
         "K",
         "a",
         {{1, "1\0"s}}},
        {"hex continued",
         kHead + "\"a\"=hex(1):61,62,\\\n  63,\\\r\n 00\n",
         "SOFTWARE\\Tarvo",
         "a",
         {{1, "abc\0"s}}},
        {"binary", kHead + "\"a\"=hex:01,ff\n", "SOFTWARE\\Tarvo", "a", {{3, "\x01\xff"s}}},
        {"other type", kHead + "\"a\"=hex(2):41,00\n", "SOFTWARE\\Tarvo", "a", {{2, "A\0"s}}},
        {"dword", kHead + "\"a\"=dword:0000012a\n", "SOFTWARE\\Tarvo", "a", {{4, "\x2a\x01\0\0"s}}},
        {"removed value", kHead + "\"a\"=\"1\"\n\"a\"=-\n", "SOFTWARE\\Tarvo", "a", std::nullopt},
        {"merged sections, later wins",
         kHead + "\"a\"=\"1\"\n[HKEY_LOCAL_MACHINE\\X]\n[hkey_local_machine\\software\\TARVO]\n"
                 "\"A\"=\"2\"\n",
         "SOFTWARE\\Tarvo",
         "a",
         {{1, "2\0"s}}},
        {"merged sections keep earlier values",
         kHead + "\"b\"=\"1\"\n[HKEY_LOCAL_MACHINE\\SOFTWARE\\Tarvo\\]\n\"a\"=\"2\"\n",
         "SOFTWARE\\Tarvo",
         "b",
         {{1, "1\0"s}}},
        {"default value", kHead + "@=\"d\"\n", "SOFTWARE\\Tarvo", "", {{1, "d\0"s}}},
        {"empty data", kHead + "\"a\"=hex(1):\n", "SOFTWARE\\Tarvo", "a", {{1, ""}}},
        {"bytes that are not UTF-8",
         kHead + "\"a\"=hex(1):e4,00\n",
         "SOFTWARE\\Tarvo",
         "a",
         {{1, "\xe4\0"s}}},
        {"byte order mark",
         "\xEF\xBB\xBF" + kHead + "\"a\"=\"1\"\n",
         "SOFTWARE\\Tarvo",
         "a",
         {{1, "1\0"s}}},
        {"parent of a section exists", kHead, "SOFTWARE", "a", std::nullopt},
    };
    for (const ReadCase& c : cases) {
        WriteHive(c.hive);
        EXPECT_EQ(Query(c.key, c.name), c.expected) << c.label;
    }
}

TEST_F(HiveFile, AParentKeyOfASectionCanBeOpened) {
    WriteHive(kHead);
    platform::HKEY handle = 0;
    EXPECT_EQ(platform::RegOpenKeyEx(platform::HKEY_LOCAL_MACHINE, "software", 0, 1, &handle),
              platform::ERROR_SUCCESS);
    platform::RegCloseKey(handle);
}

TEST_F(HiveFile, ABrokenHiveShowsNoKeysAndIsNeverOverwritten) {
    const std::string valid = "[HKEY_LOCAL_MACHINE\\A]\n\"a\"=\"1\"\n";
    const std::vector<std::pair<const char*, std::string>> cases = {
        {"no header", valid},
        {"other header", "REGEDIT5\n" + valid},
        {"value before any section", "REGEDIT4\n\"a\"=\"1\"\n" + valid},
        {"unterminated quote", "REGEDIT4\n" + valid + "\"b\"=\"2\n"},
        {"unknown escape", "REGEDIT4\n" + valid + R"("b"="\n")" + "\n"},
        {"other root", "REGEDIT4\n" + valid + "[HKEY_CURRENT_USER\\A]\n"},
        {"bad hex byte", "REGEDIT4\n" + valid + "\"b\"=hex:0g\n"},
        {"hex byte too long", "REGEDIT4\n" + valid + "\"b\"=hex:001\n"},
        {"continuation at the end", "REGEDIT4\n" + valid + "\"b\"=hex:01,\\\n"},
        {"missing =", "REGEDIT4\n" + valid + "\"b\" \"2\"\n"},
        {"stray text", "REGEDIT4\n" + valid + "b=2\n"},
        {"text after the value", "REGEDIT4\n" + valid + "\"b\"=\"2\" x\n"},
        {"dword too long", "REGEDIT4\n" + valid + "\"b\"=dword:123456789\n"},
        {"unclosed section", "REGEDIT4\n" + valid + "[HKEY_LOCAL_MACHINE\\B\n"},
        {"unknown data form", "REGEDIT4\n" + valid + "\"b\"=str:2\n"},
    };
    for (const auto& [label, text] : cases) {
        WriteHive(text);
        EXPECT_EQ(Query("A", "a"), std::nullopt) << label;
        EXPECT_NE(registrytest::StoreText("A", "a", "2"), platform::ERROR_SUCCESS) << label;
        EXPECT_NE(registrytest::StoreText("B", "b", "2"), platform::ERROR_SUCCESS) << label;
        EXPECT_EQ(HiveText(), text) << label;
    }
}

TEST_F(HiveFile, AnEmptyFileIsAnEmptyHive) {
    WriteHive("");
    EXPECT_EQ(registrytest::StoreText("A", "a", "1"), platform::ERROR_SUCCESS);
    EXPECT_EQ(Query("A", "a"), (StoredValue{1, "1\0"s}));
}

struct WriteCase {
    const char* label;
    StoredValue value;
    std::string line;  // how the value stands in the file
};

TEST_F(HiveFile, WritesEachValueInTheFormThatReadsBackUnchanged) {
    const std::vector<WriteCase> cases = {
        {"text", {1, "abc\0"s}, "\"v\"=\"abc\"\n"},
        {"quote and backslash", {1, "a\"b\\c\0"s}, "\"v\"=\"a\\\"b\\\\c\"\n"},
        {"empty text", {1, "\0"s}, "\"v\"=\"\"\n"},
        {"umlaut", {1, "Ö\0"s}, "\"v\"=\"Ö\"\n"},
        {"without NUL", {1, "abc"}, "\"v\"=hex(1):61,62,63\n"},
        {"no data", {1, ""}, "\"v\"=hex(1):\n"},
        {"CR LF inside", {1, "a\r\nb\0"s}, "\"v\"=hex(1):61,0d,0a,62,00\n"},
        {"second NUL", {1, "a\0b\0"s}, "\"v\"=hex(1):61,00,62,00\n"},
        {"not UTF-8", {1, "\xe4\0"s}, "\"v\"=hex(1):e4,00\n"},
        {"dword", {4, "\x2a\0\0\x80"s}, "\"v\"=dword:8000002a\n"},
        {"short dword", {4, "\x01\x02"s}, "\"v\"=hex(4):01,02\n"},
        {"binary", {3, "\x01\xfe"s}, "\"v\"=hex:01,fe\n"},
        {"other type", {7, "a\0\0"s}, "\"v\"=hex(7):61,00,00\n"},
    };
    for (const WriteCase& c : cases) {
        ASSERT_EQ(Store("K", "v", c.value.type, c.value.bytes), platform::ERROR_SUCCESS) << c.label;
        EXPECT_NE(HiveText().find("\n" + c.line), std::string::npos) << c.label << HiveText();
        EXPECT_EQ(Query("K", "v"), c.value) << c.label;
    }
}

TEST_F(HiveFile, LongHexListsAreContinuedOnFurtherLines) {
    std::string bytes;
    for (int i = 0; i < 100; ++i) bytes += static_cast<char>(i);
    ASSERT_EQ(Store("K", "v", 3, bytes), platform::ERROR_SUCCESS);
    const std::string text = HiveText();
    EXPECT_NE(text.find(",\\\n  "), std::string::npos);
    std::size_t longest = 0;
    for (std::size_t start = 0, end; start < text.size(); start = end + 1) {
        end = text.find('\n', start);
        longest = std::max(longest, end - start);
    }
    EXPECT_LE(longest, 80u);
    EXPECT_EQ(Query("K", "v"), (StoredValue{3, bytes}));
}

TEST_F(HiveFile, AWriteRewritesTheHiveCanonically) {
    WriteHive(
        "REGEDIT4\r\n; kept nowhere\r\n[HKEY_LOCAL_MACHINE\\SOFTWARE\\Tarvo\\Marquill\\]\r\n"
        "\"Path_SD\"=\"/sd/\"\r\n\r\n[HKEY_LOCAL_MACHINE\\Other]\r\n\"x\"=dword:00000001\r\n"
        "[HKEY_LOCAL_MACHINE\\software\\tarvo\\marquill]\r\n\"path_sd\"=\"/karte/\"\r\n"
        "\"Gone\"=\"1\"\r\n\"gone\"=-\r\n");
    ASSERT_EQ(registrytest::StoreText("SOFTWARE\\Tarvo\\Marquill\\", "Path_POI", "/poi/"),
              platform::ERROR_SUCCESS);
    EXPECT_EQ(HiveText(),
              "REGEDIT4\n"
              "\n[HKEY_LOCAL_MACHINE\\SOFTWARE]\n"
              "\n[HKEY_LOCAL_MACHINE\\SOFTWARE\\Tarvo]\n"
              "\n[HKEY_LOCAL_MACHINE\\SOFTWARE\\Tarvo\\Marquill]\n"
              "\"Path_SD\"=\"/karte/\"\n"
              "\"Path_POI\"=\"/poi/\"\n"
              "\n[HKEY_LOCAL_MACHINE\\Other]\n"
              "\"x\"=dword:00000001\n");
}

TEST_F(HiveFile, NamesThatTheFileCannotHoldAreRefused) {
    for (const std::string& name : {"a\nb"s, "a\rb"s, "a\0b"s, "\xff"s}) {
        EXPECT_EQ(registrytest::StoreText("K", name, "1"), platform::ERROR_INVALID_PARAMETER);
        EXPECT_EQ(registrytest::StoreText("K\\" + name, "v", "1"),
                  platform::ERROR_INVALID_PARAMETER);
    }
}

}  // namespace
