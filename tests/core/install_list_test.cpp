#include "core/utils/install_list.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/utils/poi_data_check.h"
#include "support/scripted_runtime.h"
#include "support/temp_folder.h"

namespace {

using testsupport::ErrorReport;
using testsupport::ScriptedRuntime;
using Lines = std::vector<std::string>;

// A line ends only at CR LF; a line that is not UTF-8 is read as Windows-1252.
TEST(ReadLineFromFile, EndsLinesOnlyAtCrLf) {
    // clang-format off
    struct Row { const char* name; std::string file; Lines lines; };
    const Row rows[] = {
        {.name = "lone_lf",    .file = "a\nb\nc\n",             .lines = {"a\nb\nc\n"}},
        {.name = "cr_cr_lf",   .file = "a\r\r\nb\r\nc",         .lines = {"a\r\r\nb\r\n", "c"}},
        {.name = "cp1252",     .file = "\xD6sterreich\r\n\x80", .lines = {"Österreich\r\n", "€"}},
        {.name = "utf8_stays", .file = "Straße\r\n\xDF;",       .lines = {"Straße\r\n", "ß;"}},
    };
    // clang-format on
    testsupport::TempFolder folder;
    ScriptedRuntime runtime;
    for (const Row& row : rows) {
        testsupport::WriteFile(folder / "marquill.csv", row.file);  // found in any letter case
        Utils::SequentialFile file(folder / "MARQUILL.CSV");
        Lines lines;
        while (!file.AtEnd()) lines.push_back(Utils::ReadLineFromFile(file));
        EXPECT_EQ(lines, row.lines) << row.name;
    }
}

#ifndef _WIN32  // Windows refuses to open a folder; Linux opens it and fails at the first read
TEST(ReadLineFromFile, ReportsAFailingReadAndEnds) {
    testsupport::TempFolder folder;
    ScriptedRuntime runtime;
    Utils::SequentialFile directory(folder.Path());
    EXPECT_THROW(Utils::ReadLineFromFile(directory), runtime::ProgramEnded);
    EXPECT_EQ(runtime.Texts(), Lines{ErrorReport("Fehler beim Zugriff auf Pfad oder Datei", "Utils",
                                                 "ReadLineFromFile", 70)});
}
#endif

// The field, or the report that ended the program.
std::string TokenOrReport(const std::string& line, std::int16_t n) {
    ScriptedRuntime runtime;
    try {
        return Utils::Get_Token(line, n);
    } catch (const runtime::ProgramEnded&) {
        return runtime.Texts().back();
    }
}

// Field n counts from 1; below 1 it is the first, beyond the last field the last. Separator
// positions are 16-bit: one further on is an overflow where it is met.
TEST(GetToken, TakesFieldNOrTheLastField) {
    const std::string kLong(32765, 'y');  // the cut after it reaches 32767, the last 16-bit value
    const auto overflowAt = [](int statement) {
        return ErrorReport("Überlauf", "Utils", "Get_Token", statement);
    };
    // clang-format off
    struct Row { const char* name; std::string line; std::int16_t n; std::string field; };
    const Row rows[] = {
        {.name = "below_is_first", .line = "a;b",                   .n = -5,    .field = "a"},
        {.name = "largest_n",      .line = "a;b;c",                 .n = 32767, .field = "c"},
        {.name = "at_32767",       .line = "a;" + kLong + ";z",     .n = 2,     .field = kLong},
        {.name = "after_32767",    .line = "a;" + kLong + ";z",     .n = 3,     .field = "z"},
        {.name = "first_search",   .line = kLong + "xx;b",          .n = 1,     .field = overflowAt(30)},
        {.name = "cut_after_it",   .line = kLong + "x;b",           .n = 2,     .field = overflowAt(60)},
        {.name = "next_search",    .line = "a;" + kLong + "xx;b",   .n = 2,     .field = overflowAt(70)},
    };
    // clang-format on
    for (const Row& row : rows) EXPECT_EQ(TokenOrReport(row.line, row.n), row.field) << row.name;
}

// A category needs a data file and an icon; the install runs show categories with both.
TEST(HasPoiData, NeedsADataFileAndAnIcon) {
    testsupport::TempFolder folder;
    testsupport::WriteFile(folder / "Icon.bmp", "x");
    testsupport::WriteFile(folder / "Data.csv", "x");
    EXPECT_EQ(Utils::HasPoiData(folder / "Icon"), 0);
    EXPECT_EQ(Utils::HasPoiData(folder / "Data"), 0);
}

}  // namespace
