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

const std::string H = "REGEDIT4\n[HKEY_LOCAL_MACHINE\\K]\n";
const std::string kVersion5 = "Windows Registry Editor Version 5.00\r\n";

struct SyntaxRow {
    const char* name;
    std::optional<std::string> file = {};   // without one, the value is written into a new file
    std::optional<StoredValue> value = {};  // "a" of key K
    std::optional<std::string> line = {};   // how a fresh write of the value stands in the file
};

TEST_F(HiveFile, ParsesAndWritesEveryFormOfTheSyntax) {
    const SyntaxRow rows[] = {
        {.name = "escapes in quotes",
         .file = H + R"("a"="C:\\P \"Ö\"")" + "\n",
         .value = Text("C:\\P \"Ö\""),
         .line = R"("a"="C:\\P \"Ö\"")"},
        {.name = "mark, CR LF, comments and blanks",
         .file = "\xEF\xBB\xBFREGEDIT4\r\n; c\r\n\r\n  [HKEY_LOCAL_MACHINE\\K]  \r\n\t; d\r\n"
                 "  \"a\" = \"1\"  \r\n",
         .value = Text("1")},
        {.name = "hex list over lines",
         .file = H + "\"a\"=hex(1):61,62,\\\n  63,\\\r\n 00\n",
         .value = Text("abc")},
        {.name = "text that is not UTF-8",
         .file = H + "\"a\"=hex(1):e4,00\n",
         .value = StoredValue{1, "\xe4\0"s},
         .line = "\"a\"=hex(1):e4,00"},
        {.name = "text with line break and NUL",
         .file = H + "\"a\"=hex(1):61,0d,0a,00,62\n",
         .value = StoredValue{1, "a\r\n\0b"s},
         .line = "\"a\"=hex(1):61,0d,0a,00,62"},
        {.name = "text without NUL", .value = StoredValue{1, "ab"}, .line = "\"a\"=hex(1):61,62\n"},
        {.name = "text of size 0", .value = StoredValue{1, ""}, .line = "\"a\"=hex(1):\n"},
        {.name = "Wine's line break escape",
         .file = H + "\"a\"=\"x\\ny\"\n",
         .value = Text("x\ny"),
         .line = "\"a\"=hex(1):78,0a,79,00"},
        {.name = "number",
         .file = H + "\"a\"=dword:8000002a\n",
         .value = StoredValue{4, "\x2a\0\0\x80"s},
         .line = "\"a\"=dword:8000002a"},
        {.name = "5.00's expandable text",
         .file = kVersion5 + "[HKEY_LOCAL_MACHINE\\K]\r\n\"a\"=hex(2):25,00,00,00\r\n",
         .value = StoredValue{2, "%\0\0\0"s},
         .line = "\"a\"=hex(2):25,00,00,00"},
        {.name = "long binary",
         .value = StoredValue{3, std::string(100, '\xfe')},
         .line = ",\\\n  "},
        {.name = "removed value", .file = H + "\"a\"=\"1\"\n\"a\"=-\n"},
        {.name = "one key in sections of any spelling",
         .file =
             H + "\"a\"=\"1\"\n[HKEY_LOCAL_MACHINE\\X]\n[hkey_local_machine\\k\\]\n\"A\"=\"2\"\n",
         .value = Text("2")},
        {.name = "a later section keeps earlier values",
         .file = H + "\"a\"=\"1\"\n[HKEY_LOCAL_MACHINE\\K]\n\"b\"=\"2\"\n",
         .value = Text("1")},
    };
    for (const SyntaxRow& row : rows) {
        if (row.file) {
            WriteFile(HivePath(), *row.file);
            EXPECT_EQ(Query("K", "a"), row.value) << row.name;
            // Rewriting the hive for another value keeps this one.
            EXPECT_EQ(StoreText("K", "z", "1"), ERROR_SUCCESS) << row.name;
            EXPECT_EQ(Query("K", "a"), row.value) << row.name;
        }
        if (!row.line) continue;
        std::filesystem::remove(HivePath());
        EXPECT_EQ(Store("K", "a", row.value->type, row.value->bytes), ERROR_SUCCESS) << row.name;
        EXPECT_NE(ReadFile(HivePath()).find(*row.line), std::string::npos) << row.name;
        EXPECT_EQ(Query("K", "a"), row.value) << row.name;
    }
}

// UTF-16LE as written on this (little-endian) machine, independent of the code under test.
std::string Utf16Le(std::u16string_view text) {
    return {reinterpret_cast<const char*>(text.data()), text.size() * 2};
}

struct FormRow {
    const char* name;
    std::optional<std::string> file = {};
    std::optional<std::string> before = {};  // "a" of key K as read from the file
    std::string written;                     // then written into "a"
    std::string rewritten;                   // the whole file after the write
};

// A rewrite keeps the file's header, encoding and line ends; a new file is REGEDIT4 in UTF-8.
TEST_F(HiveFile, KeepsTheFormTheFileCameIn) {
    const std::string k = "[HKEY_LOCAL_MACHINE\\K]";
    const std::string cp1252 = "REGEDIT4\r\n\r\n" + k + "\r\n\"a\"=\"\xD6sterreich \x80\"\r\n";
    const FormRow rows[] = {
        {.name = "new file", .written = "ß", .rewritten = "REGEDIT4\n\n" + k + "\n\"a\"=\"ß\"\n"},
        {.name = "REGEDIT4 in UTF-8",
         .file = "REGEDIT4\n" + k + "\n\"a\"=\"Ö\"\n",
         .before = "Ö",
         .written = "ß",
         .rewritten = "REGEDIT4\n\n" + k + "\n\"a\"=\"ß\"\n"},
        {.name = "5.00 in UTF-8 with mark and CR LF",
         .file = "\xEF\xBB\xBF" + kVersion5 + k + "\r\n\"a\"=\"Ö\"\r\n",
         .before = "Ö",
         .written = "ß",
         .rewritten = "\xEF\xBB\xBF" + kVersion5 + "\r\n" + k + "\r\n\"a\"=\"ß\"\r\n"},
        {.name = "5.00 in UTF-16LE as regedit exports it",
         .file = Utf16Le(u"\uFEFFWindows Registry Editor Version 5.00\r\n\r\n"
                         u"[HKEY_LOCAL_MACHINE\\K]\r\n\"a\"=\"Ö\"\r\n\r\n"),
         .before = "Ö",
         .written = "中😀",
         .rewritten = Utf16Le(u"\uFEFFWindows Registry Editor Version 5.00\r\n\r\n"
                              u"[HKEY_LOCAL_MACHINE\\K]\r\n\"a\"=\"中😀\"\r\n")},
        {.name = "REGEDIT4 from a German Windows",
         .file = cp1252,
         .before = "Österreich €",
         .written = "Maß",
         .rewritten = "REGEDIT4\r\n\r\n" + k + "\r\n\"a\"=\"Ma\xDF\"\r\n"},
        {.name = "Windows-1252 that cannot hold the new text",
         .file = cp1252,
         .before = "Österreich €",
         .written = "中",
         .rewritten = "REGEDIT4\r\n\r\n" + k + "\r\n\"a\"=\"中\"\r\n"},
        {.name = "Windows-1252 whose new bytes would read as UTF-8",
         .file = cp1252,
         .before = "Österreich €",
         .written = "Ã¶",
         .rewritten = "REGEDIT4\r\n\r\n" + k + "\r\n\"a\"=\"Ã¶\"\r\n"},
    };
    for (const FormRow& row : rows) {
        std::filesystem::remove(HivePath());
        if (row.file) WriteFile(HivePath(), *row.file);
        const auto before = Query("K", "a");
        EXPECT_EQ(before, row.before ? std::optional(Text(*row.before)) : std::nullopt) << row.name;
        EXPECT_EQ(StoreText("K", "a", row.written), ERROR_SUCCESS) << row.name;
        EXPECT_EQ(ReadFile(HivePath()), row.rewritten) << row.name;
        EXPECT_EQ(Query("K", "a"), Text(row.written)) << row.name;
    }
}

struct BrokenRow {
    const char* name;
    std::string file;
    std::string problem;  // what the start-up message says after the file's name
};

// A file that cannot be read hides its keys, is never overwritten and is named once at start.
TEST_F(HiveFile, ABrokenHiveIsReportedWithItsLineAndNeverOverwritten) {
    const std::string valid = "[HKEY_LOCAL_MACHINE\\A]\n\"a\"=\"1\"\n";
    const BrokenRow rows[] = {
        {.name = "typo in line 5",
         .file = "REGEDIT4\n\n" + valid + "\"b\"=\"2\n",
         .problem = ", Zeile 5: Anführungszeichen nicht geschlossen."},
        {.name = "no header", .file = valid, .problem = ", Zeile 1: die erste Zeile ist nicht"},
        {.name = "value before any key",
         .file = "REGEDIT4\n\"a\"=\"1\"\n" + valid,
         .problem = ", Zeile 2: Wert vor der ersten Zeile"},
        {.name = "unknown escape",
         .file = "REGEDIT4\n" + valid + R"("b"="\t")" + "\n",
         .problem = ", Zeile 4: „\\“ in Anführungszeichen nur als"},
        {.name = "another root",
         .file = "REGEDIT4\n" + valid + "[HKEY_CURRENT_USER\\A]\n",
         .problem = ", Zeile 4: nur HKEY_LOCAL_MACHINE ist möglich, nicht „HKEY_CURRENT_USER“."},
        {.name = "key removal",
         .file = "REGEDIT4\n" + valid + "[-HKEY_LOCAL_MACHINE\\A]\n",
         .problem = ", Zeile 4: Schlüssel löschen"},
        {.name = "key without bracket",
         .file = "REGEDIT4\n" + valid + "[HKEY_LOCAL_MACHINE\\B\n",
         .problem = ", Zeile 4: „]“ fehlt"},
        {.name = "name without quotes",
         .file = "REGEDIT4\n" + valid + "b=\"2\"\n",
         .problem = ", Zeile 4: der Name muss"},
        {.name = "no equals sign",
         .file = "REGEDIT4\n" + valid + "\"b\" \"2\"\n",
         .problem = ", Zeile 4: „=“ fehlt"},
        {.name = "unknown data",
         .file = "REGEDIT4\n" + valid + "\"b\"=str:2\n",
         .problem = ", Zeile 4: nach „=“ fehlt"},
        {.name = "text after the quotes",
         .file = "REGEDIT4\n" + valid + "\"b\"=\"2\"x\n",
         .problem = ", Zeile 4: Zeichen hinter"},
        {.name = "bad number",
         .file = "REGEDIT4\n" + valid + "\"b\"=dword:123456789\n",
         .problem = ", Zeile 4: „dword:“"},
        {.name = "bad type",
         .file = "REGEDIT4\n" + valid + "\"b\"=hex(x):00\n",
         .problem = ", Zeile 4: „hex(“"},
        {.name = "bad hex byte",
         .file = "REGEDIT4\n" + valid + "\"b\"=hex:01,0g\n",
         .problem = ", Zeile 4: „0g“ ist kein Hex-Byte."},
        {.name = "hex list continued past the end",
         .file = "REGEDIT4\n" + valid + "\"b\"=hex:01,\\\n",
         .problem = ", Zeile 4: „\\“ am Zeilenende"},
        {.name = "UTF-16 big endian",
         .file = "\xFE\xFF" + std::string("\0R", 2),
         .problem = ", Zeile 1: UTF-16 Big Endian"},
        {.name = "UTF-16 without mark",
         .file = Utf16Le(u"REGEDIT4\r\n"),
         .problem = ", Zeile 1: Byte 0 im Text"},
        {.name = "lone surrogate in UTF-16",
         .file = Utf16Le(u"\uFEFFREGEDIT4\r\n\r\n\"") + "\x00\xD8"s,
         .problem = ", Zeile 3: kein gültiges UTF-16LE."},
        {.name = "UTF-8 mark before bytes that are not UTF-8",
         .file = "\xEF\xBB\xBFREGEDIT4\n\n\xD6",
         .problem = ", Zeile 3: kein gültiges UTF-8"},
    };
    for (const BrokenRow& row : rows) {
        WriteFile(HivePath(), row.file);
        EXPECT_EQ(Query("A", "a"), std::nullopt) << row.name;
        EXPECT_NE(StoreText("B", "b", "2"), ERROR_SUCCESS) << row.name;
        EXPECT_EQ(ReadFile(HivePath()), row.file) << row.name;
        const std::string message = platform::SettingsFileProblem();
        EXPECT_TRUE(message.starts_with("Marquill: Die Einstellungsdatei " + HivePath() +
                                        " ist nicht lesbar" + row.problem))
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
