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
using platform::ERROR_SUCCESS;
using registrytest::Query;
using registrytest::Store;
using registrytest::StoredValue;
using registrytest::StoreText;
using registrytest::Text;
using testsupport::ReadFile;

class HiveFile : public testsupport::IsolatedTest {
protected:
    void WriteHive(const std::string& text) {
        std::filesystem::create_directories(ConfigHome() + "/marquill");
        testsupport::WriteFile(HivePath(), text);
    }
};

struct SyntaxRow {
    std::string hive;  // parsed as value "a" of key K; empty: no parse step
    std::optional<StoredValue> value;
    const char* line;  // how a fresh write of `value` stands in the file; null: no write step
};

const std::string H = "REGEDIT4\n[HKEY_LOCAL_MACHINE\\K]\n";

TEST_F(HiveFile, ParsesAndWritesEveryFormOfTheSyntax) {
    const std::vector<SyntaxRow> rows = {
        {H + "\"a\"=\"x y\"\n", Text("x y"), "\"a\"=\"x y\""},
        {H + R"("a"="C:\\P \"q\"")" + "\n", Text("C:\\P \"q\""), R"("a"="C:\\P \"q\"")"},
        {H + "\"a\"=\"Ö\"\n", Text("Ö"), "\"a\"=\"Ö\""},
        {"REGEDIT4\r\n\r\n[HKEY_LOCAL_MACHINE\\K]\r\n\"a\"=\"1\"\r\n", Text("1"), nullptr},
        {"REGEDIT4\n; c\n\n  [HKEY_LOCAL_MACHINE\\K]  \n\t; d\n  \"a\" = \"1\"  \n", Text("1"),
         nullptr},
        {"\xEF\xBB\xBF" + H + "\"a\"=\"1\"\n", Text("1"), nullptr},
        {H + "\"a\"=hex(1):61,62,\\\n  63,\\\r\n 00\n", Text("abc"), nullptr},
        {H + "\"a\"=hex(1):e4,00\n", StoredValue{1, "\xe4\0"s}, "\"a\"=hex(1):e4,00"},
        {H + "\"a\"=hex(1):61,62,63\n", StoredValue{1, "abc"}, "\"a\"=hex(1):61,62,63"},
        {H + "\"a\"=hex(1):\n", StoredValue{1, ""}, "\"a\"=hex(1):"},
        {H + "\"a\"=hex(1):61,0d,0a,62,00\n", Text("a\r\nb"), "\"a\"=hex(1):61,0d,0a,62,00"},
        {H + "\"a\"=hex(1):61,00,62,00\n", Text("a\0b"s), "\"a\"=hex(1):61,00,62,00"},
        {H + "\"a\"=hex:01,ff\n", StoredValue{3, "\x01\xff"s}, "\"a\"=hex:01,ff"},
        {H + "\"a\"=dword:8000002a\n", StoredValue{4, "\x2a\0\0\x80"s}, "\"a\"=dword:8000002a"},
        {"", StoredValue{3, std::string(100, '\xfe')}, ",\\\n  "},
        {H + "\"a\"=\"1\"\n\"a\"=-\n", std::nullopt, nullptr},
        {H + "\"a\"=\"1\"\n[HKEY_LOCAL_MACHINE\\X]\n[hkey_local_machine\\k\\]\n\"A\"=\"2\"\n",
         Text("2"), nullptr},
        {H + "\"a\"=\"1\"\n[HKEY_LOCAL_MACHINE\\K]\n\"b\"=\"2\"\n", Text("1"), nullptr},
    };
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const SyntaxRow& row = rows[i];
        if (!row.hive.empty()) {
            WriteHive(row.hive);
            EXPECT_EQ(Query("K", "a"), row.value) << "row " << i;
            // Rewriting the hive for another value keeps this one.
            ASSERT_EQ(StoreText("K", "z", "1"), ERROR_SUCCESS) << "row " << i;
            EXPECT_EQ(Query("K", "a"), row.value) << "row " << i;
        }
        if (row.line == nullptr) continue;
        std::filesystem::remove(HivePath());
        ASSERT_EQ(Store("K", "a", row.value->type, row.value->bytes), ERROR_SUCCESS) << "row " << i;
        EXPECT_NE(ReadFile(HivePath()).find(row.line), std::string::npos) << "row " << i;
        EXPECT_EQ(Query("K", "a"), row.value) << "row " << i;
    }
}

TEST_F(HiveFile, ABrokenHiveShowsNoKeysAndIsNeverOverwritten) {
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
        WriteHive(text);
        EXPECT_EQ(Query("A", "a"), std::nullopt) << text;
        EXPECT_NE(StoreText("B", "b", "2"), ERROR_SUCCESS) << text;
        EXPECT_EQ(ReadFile(HivePath()), text);
    }
    WriteHive("");  // an empty file is an empty hive, not a broken one
    EXPECT_EQ(StoreText("A", "a", "1"), ERROR_SUCCESS);
}

TEST_F(HiveFile, NamesThatTheFileCannotHoldAreRefused) {
    for (const std::string& name : {"a\nb"s, "a\rb"s, "a\0b"s, "\xff"s}) {
        EXPECT_EQ(StoreText("K", name, "1"), platform::ERROR_INVALID_PARAMETER);
        EXPECT_EQ(StoreText("K\\" + name, "v", "1"), platform::ERROR_INVALID_PARAMETER);
    }
}

}  // namespace
