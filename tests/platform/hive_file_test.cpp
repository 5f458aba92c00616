// The settings file on Linux: a regedit export in any of the forms regedit writes or people
// type, read and written back in its own form, and never overwritten when it cannot be read.
#include <gtest/gtest.h>
#include <unistd.h>

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
using V = StoredValue;

class HiveFile : public testsupport::IsolatedTest {
protected:
    void SetUp() override {
        IsolatedTest::SetUp();
        std::filesystem::create_directories(ConfigHome() + "/marquill");
    }
};

struct FormRow {
    const char* name;
    std::string file;
    std::string read;       // "a" of key K as read from the file
    std::string written;    // then written into "a"
    std::string rewritten;  // the whole file after the write
};

// A rewrite keeps the file's header, encoding and line ends (regedit's UTF-16LE 5.00 export in
// WineRegedit).
TEST_F(HiveFile, KeepsTheFormTheFileCameIn) {
    const std::string k = "[HKEY_LOCAL_MACHINE\\K]";
    const std::string cp1252 = "REGEDIT4\r\n\r\n" + k + "\r\n\"a\"=\"\xD6sterreich \x80\"\r\n";
    const std::string r4crlf = "REGEDIT4\r\n\r\n" + k + "\r\n\"a\"=";
    // clang-format off
    const FormRow rows[] = {
        {.name = "REGEDIT4 in UTF-8", .file = "REGEDIT4\n" + k + "\n\"a\"=\"Ö\"\n", .read = "Ö",
         .written = "ß", .rewritten = "REGEDIT4\n\n" + k + "\n\"a\"=\"ß\"\n"},
        {.name = "Windows-1252", .file = cp1252, .read = "Österreich €",
         .written = "Maß", .rewritten = r4crlf + "\"Ma\xDF\"\r\n"},
        {.name = "Windows-1252 that cannot hold the text", .file = cp1252, .read = "Österreich €",
         .written = "中", .rewritten = r4crlf + "\"中\"\r\n"},
        {.name = "Windows-1252 that would read as UTF-8", .file = cp1252, .read = "Österreich €",
         .written = "Ã¶", .rewritten = r4crlf + "\"Ã¶\"\r\n"},
    };
    // clang-format on
    for (const FormRow& row : rows) {
        WriteFile(HivePath(), row.file);
        EXPECT_EQ(Query("K", "a"), Text(row.read)) << row.name;
        EXPECT_EQ(StoreText("K", "a", row.written), ERROR_SUCCESS) << row.name;
        EXPECT_EQ(ReadFile(HivePath()), row.rewritten) << row.name;
        EXPECT_EQ(Query("K", "a"), Text(row.written)) << row.name;
    }
}

struct ReadRow {
    const char* name;
    std::string file;
    std::optional<StoredValue> a = std::nullopt;  // value "a" of key K
    std::string problem = "";  // for a file that cannot be read: the message after "Zeile "
};

// What people type is read, and rewriting the file for another value keeps it. A file that
// cannot be read hides its keys, is never overwritten and is named at start (a typo in line 5,
// through the real program, in ProgramStart).
TEST_F(HiveFile, ReadsEveryFormOfTheSyntaxAndNamesTheLineItCannotRead) {
    const std::string r4 = "REGEDIT4\n[HKEY_LOCAL_MACHINE\\K]\n", a1 = r4 + "\"a\"=\"1\"\n";
    // clang-format off
    const ReadRow rows[] = {
        {.name = "escapes", .file = r4 + R"("a"="C:\\P \"Ö\"")" + "\n", .a = Text("C:\\P \"Ö\"")},
        {.name = "comments, CR LF", .file = r4 + "; c\r\n\r\n\t \"a\" = \"1\"  \r\n", .a = Text("1")},
        {.name = "CR, LF, NUL", .file = r4 + "\"a\"=hex(1):0d,0a,00,62,00\n", .a = V{1, "\r\n\0b\0"s}},
        {.name = "another root", .file = a1 + "[HKEY_CURRENT_USER\\K]\n",
         .problem = "4: nur HKEY_LOCAL_MACHINE ist möglich, nicht „HKEY_CURRENT_USER“."},
        {.name = "a key removed", .file = a1 + "[-HKEY_LOCAL_MACHINE\\K]\n",
         .problem = "4: Schlüssel löschen („[-…]“) geht hier nicht"},
        {.name = "UTF-16 without mark", .file = Utf16Le(u"REGEDIT4\r\n"), .problem = "1: Byte 0"},
    };
    // clang-format on
    const std::string start =
        "Marquill: Die Einstellungsdatei " + HivePath() + " ist nicht lesbar, Zeile ";
    for (const ReadRow& row : rows) {
        const bool readable = row.problem.empty();
        WriteFile(HivePath(), row.file);
        EXPECT_EQ(Query("K", "a"), row.a) << row.name;
        EXPECT_EQ(StoreText("K", "z", "1") == ERROR_SUCCESS, readable) << row.name;
        EXPECT_EQ(Query("K", "a"), row.a) << row.name;
        EXPECT_EQ(ReadFile(HivePath()) == row.file, !readable) << row.name;
        const std::string message = platform::SettingsFileProblem();
        EXPECT_EQ(message.empty(), readable) << row.name << ": " << message;
        EXPECT_TRUE(message.starts_with(readable ? "" : start + row.problem)) << row.name;
    }
    std::filesystem::remove(HivePath());
    EXPECT_EQ(platform::SettingsFileProblem(), "");
}

// Editors write in place, often within one tick of the file system's clock and at the same
// size: a hive kept from an earlier read must never hide the change.
TEST_F(HiveFile, EveryReadSeesTheFileAsItIsNow) {
    const std::string hive = "REGEDIT4\n[HKEY_LOCAL_MACHINE\\K]\n\"v\"=\"";
    for (char round = '1'; round <= '9'; ++round) {
        WriteFile(HivePath(), hive + round + "a\"\n");
        usleep(60'000);  // long enough for the parsed hive to be kept
        EXPECT_EQ(Query("K", "v"), Text(round + "a"s)) << round;
        WriteFile(HivePath(), hive + round + "b\"\n");
        EXPECT_EQ(Query("K", "v"), Text(round + "b"s)) << round;
    }
}

}  // namespace
