#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

#include "platform/registry_test_util.h"
#include "support/test_environment.h"

namespace {

using namespace std::string_literals;
using namespace registrytest;
using testsupport::ReadFile;

using HiveFile = testsupport::IsolatedTest;

const std::string H = "REGEDIT4\n[HKEY_LOCAL_MACHINE\\K]\n";

TEST_F(HiveFile, ParsesAndWritesEveryFormOfTheSyntax) {
    std::filesystem::create_directories(ConfigHome() + "/marquill");
    // Each hive is parsed for value "a" of key K; each line is how a fresh write of that value
    // stands in the file. An empty hive or a null line skips that step.
    const std::vector<std::tuple<std::string, std::optional<StoredValue>, const char*>> rows = {
        {H + R"("a"="C:\\P \"Ö\"")" + "\n", Text("C:\\P \"Ö\""), R"("a"="C:\\P \"Ö\"")"},
        {"\xEF\xBB\xBFREGEDIT4\r\n; c\r\n\r\n  [HKEY_LOCAL_MACHINE\\K]  \r\n\t; d\r\n"
         "  \"a\" = \"1\"  \r\n",
         Text("1"), nullptr},
        {H + "\"a\"=hex(1):61,62,\\\n  63,\\\r\n 00\n", Text("abc"), nullptr},
        {H + "\"a\"=hex(1):e4,00\n", StoredValue{1, "\xe4\0"s}, "\"a\"=hex(1):e4,00"},
        {H + "\"a\"=hex(1):61,0d,0a,00,62\n", StoredValue{1, "a\r\n\0b"s},
         "\"a\"=hex(1):61,0d,0a,00,62"},
        {H + "\"a\"=dword:8000002a\n", StoredValue{4, "\x2a\0\0\x80"s}, "\"a\"=dword:8000002a"},
        {"", StoredValue{3, std::string(100, '\xfe')}, ",\\\n  "},
        {H + "\"a\"=\"1\"\n\"a\"=-\n", std::nullopt, nullptr},
        {H + "\"a\"=\"1\"\n[HKEY_LOCAL_MACHINE\\X]\n[hkey_local_machine\\k\\]\n\"A\"=\"2\"\n",
         Text("2"), nullptr},
        {H + "\"a\"=\"1\"\n[HKEY_LOCAL_MACHINE\\K]\n\"b\"=\"2\"\n", Text("1"), nullptr},
    };
    for (const auto& [hive, value, line] : rows) {
        SCOPED_TRACE(hive);
        if (!hive.empty()) {
            testsupport::WriteFile(HivePath(), hive);
            EXPECT_EQ(Query("K", "a"), value);
            // Rewriting the hive for another value keeps this one.
            ASSERT_EQ(StoreText("K", "z", "1"), ERROR_SUCCESS);
            EXPECT_EQ(Query("K", "a"), value);
        }
        if (line == nullptr) continue;
        std::filesystem::remove(HivePath());
        ASSERT_EQ(Store("K", "a", value->type, value->bytes), ERROR_SUCCESS);
        EXPECT_NE(ReadFile(HivePath()).find(line), std::string::npos) << line;
        EXPECT_EQ(Query("K", "a"), value);
    }
}

// A hive with a syntax error hides its keys and is left as it is.
TEST_F(HiveFile, ABrokenHiveShowsNoKeysAndIsNeverOverwritten) {
    std::filesystem::create_directories(ConfigHome() + "/marquill");
    const std::string valid = "[HKEY_LOCAL_MACHINE\\A]\n\"a\"=\"1\"\n";
    for (const std::string& text : {
             valid,
             "REGEDIT4\n\"a\"=\"1\"\n" + valid,
             "REGEDIT4\n" + valid + "\"b\"=\"2\n",
             "REGEDIT4\n" + valid + R"("b"="\n")" + "\n",
             "REGEDIT4\n" + valid + "[HKEY_CURRENT_USER\\A]\n",
             "REGEDIT4\n" + valid + "\"b\"=hex:0g\n",
             "REGEDIT4\n" + valid + "\"b\"=hex:01,\\\n",
             "REGEDIT4\n" + valid + "[HKEY_LOCAL_MACHINE\\B\n",
         }) {
        testsupport::WriteFile(HivePath(), text);
        EXPECT_EQ(Query("A", "a"), std::nullopt) << text;
        EXPECT_NE(StoreText("B", "b", "2"), ERROR_SUCCESS) << text;
        EXPECT_EQ(ReadFile(HivePath()), text);
    }
}

TEST_F(HiveFile, NamesThatTheFileCannotHoldAreRefused) {
    for (const std::string& name : {"a\nb"s, "a\0b"s, "\xff"s}) {
        EXPECT_EQ(StoreText("K", name, "1"), ERROR_INVALID_PARAMETER);
        EXPECT_EQ(StoreText("K\\" + name, "v", "1"), ERROR_INVALID_PARAMETER);
    }
}

}  // namespace
