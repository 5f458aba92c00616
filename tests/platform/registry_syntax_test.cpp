#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>

#include "platform/registry_test_util.h"
#include "support/test_environment.h"

namespace {

using namespace std::string_literals;
using namespace registrytest;
using testsupport::ReadFile;
using testsupport::WriteFile;

class HiveFile : public testsupport::IsolatedTest {
protected:
    void SetUp() override {
        IsolatedTest::SetUp();
        std::filesystem::create_directories(ConfigHome() + "/marquill");
    }
};

using V = StoredValue;

struct SyntaxRow {
    const char* name;
    std::string lines;                      // in key K of a REGEDIT4 file
    std::optional<StoredValue> value = {};  // "a" of key K
    bool canonical = false;                 // a fresh write of the value gives these lines
};

TEST_F(HiveFile, ParsesAndWritesEveryFormOfTheSyntax) {
    // clang-format off
    const SyntaxRow rows[] = {
        {.name = "escapes", .lines = R"("a"="C:\\P \"Ö\"")", .value = Text("C:\\P \"Ö\""),
         .canonical = true},
        {.name = "comments, blanks, CR LF", .lines = "; c\r\n\r\n\t \"a\" = \"1\"  \r",
         .value = Text("1")},
        {.name = "list over lines", .lines = "\"a\"=hex(1):61,62,\\\n  63,\\\r\n 00",
         .value = Text("abc")},
        {.name = "not UTF-8", .lines = "\"a\"=hex(1):e4,00", .value = V{1, "\xe4\0"s},
         .canonical = true},
        {.name = "CR LF and NUL inside", .lines = "\"a\"=hex(1):61,0d,0a,00,62",
         .value = V{1, "a\r\n\0b"s}, .canonical = true},
        {.name = "no NUL", .lines = "\"a\"=hex(1):61,62", .value = V{1, "ab"}, .canonical = true},
        {.name = "Wine's line break", .lines = "\"a\"=\"x\\ny\"", .value = Text("x\ny")},
        {.name = "number", .lines = "\"a\"=dword:8000002a", .value = V{4, "*\0\0\x80"s},
         .canonical = true},
        {.name = "5.00's expandable text", .lines = "\"a\"=hex(2):25,00,00,00",
         .value = V{2, "%\0\0\0"s}, .canonical = true},
        {.name = "removed", .lines = "\"a\"=\"1\"\n\"a\"=-"},
        {.name = "one key in sections of any spelling",
         .lines = "\"a\"=\"1\"\n[HKEY_LOCAL_MACHINE\\X]\n[hkey_local_machine\\k\\]\n\"A\"=\"2\"",
         .value = Text("2")},
        {.name = "a later section keeps earlier values",
         .lines = "\"a\"=\"1\"\n[HKEY_LOCAL_MACHINE\\K]\n\"b\"=\"2\"", .value = Text("1")},
    };
    // clang-format on
    for (const SyntaxRow& row : rows) {
        WriteFile(HivePath(), "REGEDIT4\n[HKEY_LOCAL_MACHINE\\K]\n" + row.lines + "\n");
        EXPECT_EQ(Query("K", "a"), row.value) << row.name;
        // Rewriting the hive for another value keeps this one.
        EXPECT_EQ(StoreText("K", "z", "1"), ERROR_SUCCESS) << row.name;
        EXPECT_EQ(Query("K", "a"), row.value) << row.name;
        if (!row.canonical) continue;
        std::filesystem::remove(HivePath());
        EXPECT_EQ(Store("K", "a", row.value->type, row.value->bytes), ERROR_SUCCESS) << row.name;
        EXPECT_NE(ReadFile(HivePath()).find("\n" + row.lines + "\n"), std::string::npos)
            << row.name;
    }
}

struct FormRow {
    const char* name;
    std::string file;
    std::string before;     // "a" of key K as read from the file
    std::string written;    // then written into "a"
    std::string rewritten;  // the whole file after the write
};

// A rewrite keeps the file's header, encoding and line ends.
TEST_F(HiveFile, KeepsTheFormTheFileCameIn) {
    const std::string k = "[HKEY_LOCAL_MACHINE\\K]";
    const std::string v5 = "Windows Registry Editor Version 5.00\r\n";
    const std::u16string v5u = u"Windows Registry Editor Version 5.00\r\n";
    const std::u16string ku = u"[HKEY_LOCAL_MACHINE\\K]\r\n";
    const std::string cp1252 = "REGEDIT4\r\n\r\n" + k + "\r\n\"a\"=\"\xD6sterreich \x80\"\r\n";
    // clang-format off
    const FormRow rows[] = {
        {.name = "REGEDIT4 in UTF-8", .file = "REGEDIT4\n" + k + "\n\"a\"=\"Ö\"\n", .before = "Ö",
         .written = "ß", .rewritten = "REGEDIT4\n\n" + k + "\n\"a\"=\"ß\"\n"},
        {.name = "5.00 in UTF-8 with mark", .file = "\xEF\xBB\xBF" + v5 + k + "\r\n\"a\"=\"Ö\"\r\n",
         .before = "Ö", .written = "ß",
         .rewritten = "\xEF\xBB\xBF" + v5 + "\r\n" + k + "\r\n\"a\"=\"ß\"\r\n"},
        {.name = "5.00 in UTF-16LE",
         .file = Utf16Le(u"\uFEFF" + v5u + u"\r\n" + ku + u"\"a\"=\"Ö\"\r\n\r\n"),
         .before = "Ö", .written = "中😀",
         .rewritten = Utf16Le(u"\uFEFF" + v5u + u"\r\n" + ku + u"\"a\"=\"中😀\"\r\n")},
        {.name = "Windows-1252", .file = cp1252, .before = "Österreich €", .written = "Maß",
         .rewritten = "REGEDIT4\r\n\r\n" + k + "\r\n\"a\"=\"Ma\xDF\"\r\n"},
        {.name = "Windows-1252 that cannot hold the text", .file = cp1252, .before = "Österreich €",
         .written = "中", .rewritten = "REGEDIT4\r\n\r\n" + k + "\r\n\"a\"=\"中\"\r\n"},
        {.name = "Windows-1252 that would read as UTF-8", .file = cp1252, .before = "Österreich €",
         .written = "Ã¶", .rewritten = "REGEDIT4\r\n\r\n" + k + "\r\n\"a\"=\"Ã¶\"\r\n"},
    };
    // clang-format on
    for (const FormRow& row : rows) {
        WriteFile(HivePath(), row.file);
        EXPECT_EQ(Query("K", "a"), Text(row.before)) << row.name;
        EXPECT_EQ(StoreText("K", "a", row.written), ERROR_SUCCESS) << row.name;
        EXPECT_EQ(ReadFile(HivePath()), row.rewritten) << row.name;
        EXPECT_EQ(Query("K", "a"), Text(row.written)) << row.name;
    }
}

struct BrokenRow {
    const char* name;
    std::string file;
    std::string problem;  // what the start-up message says after "Zeile "
};

// A file that cannot be read hides its keys, is never overwritten and is named once at start.
TEST_F(HiveFile, ABrokenHiveIsReportedWithItsLineAndNeverOverwritten) {
    const std::string valid = "[HKEY_LOCAL_MACHINE\\A]\n\"a\"=\"1\"\n";
    const std::string r4 = "REGEDIT4\n" + valid;
    // clang-format off
    const BrokenRow rows[] = {
        {.name = "typo in line 5", .file = "REGEDIT4\n\n" + valid + "\"b\"=\"2\n",
         .problem = "5: Anführungszeichen nicht geschlossen."},
        {.name = "no header", .file = valid, .problem = "1: die erste Zeile ist nicht „REGEDIT4“"},
        {.name = "value before a key", .file = "REGEDIT4\n\"a\"=\"1\"\n" + valid,
         .problem = "2: Wert vor der ersten Zeile"},
        {.name = "escape", .file = r4 + "\"b\"=\"\\t\"\n", .problem = "4: „\\“ in Anführungs"},
        {.name = "another root", .file = r4 + "[HKEY_CURRENT_USER\\A]\n",
         .problem = "4: nur HKEY_LOCAL_MACHINE ist möglich, nicht „HKEY_CURRENT_USER“."},
        {.name = "no ]", .file = r4 + "[HKEY_LOCAL_MACHINE\\B\n", .problem = "4: „]“ fehlt"},
        {.name = "no equals sign", .file = r4 + "\"b\" \"2\"\n", .problem = "4: „=“ fehlt"},
        {.name = "unknown data", .file = r4 + "\"b\"=str:2\n", .problem = "4: nach „=“ fehlt"},
        {.name = "bad hex byte", .file = r4 + "\"b\"=hex:01,0g\n", .problem = "4: „0g“ ist kein"},
        {.name = "list past the end", .file = r4 + "\"b\"=hex:1,\\\n", .problem = "4: „\\“ am"},
        {.name = "UTF-16 big endian", .file = "\xFE\xFF\0R"s, .problem = "1: UTF-16 Big Endian"},
        {.name = "UTF-16 without mark", .file = Utf16Le(u"REGEDIT4\r\n"), .problem = "1: Byte 0"},
        {.name = "lone surrogate", .file = Utf16Le(u"\uFEFFREGEDIT4\r\n\r\n\"") + "\x00\xD8"s,
         .problem = "3: kein gültiges UTF-16LE."},
        {.name = "bad UTF-8 after the mark", .file = "\xEF\xBB\xBFREGEDIT4\n\n\xD6",
         .problem = "3: kein gültiges UTF-8"},
    };
    // clang-format on
    for (const BrokenRow& row : rows) {
        WriteFile(HivePath(), row.file);
        EXPECT_EQ(Query("A", "a"), std::nullopt) << row.name;
        EXPECT_NE(StoreText("B", "b", "2"), ERROR_SUCCESS) << row.name;
        EXPECT_EQ(ReadFile(HivePath()), row.file) << row.name;
        const std::string message = platform::SettingsFileProblem();
        EXPECT_TRUE(message.starts_with("Marquill: Die Einstellungsdatei " + HivePath() +
                                        " ist nicht lesbar, Zeile " + row.problem))
            << row.name << ": " << message;
        EXPECT_EQ(message.find('\n'), std::string::npos) << row.name;
    }
    std::filesystem::remove(HivePath());
    EXPECT_EQ(platform::SettingsFileProblem(), "");
}

TEST_F(HiveFile, NamesThatTheFileCannotHoldAreRefused) {
    for (const std::string& name : {"a\nb"s, "a\0b"s, "\xff"s}) {
        EXPECT_EQ(StoreText("K", name, "1"), ERROR_INVALID_PARAMETER) << name;
        EXPECT_EQ(StoreText("K\\" + name, "v", "1"), ERROR_INVALID_PARAMETER) << name;
    }
}

}  // namespace
