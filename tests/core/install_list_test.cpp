#include "core/utils/install_list.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <string>
#include <vector>

#include "core/runtime/runtime_error.h"
#include "core/utils/poi_data_check.h"
#include "core/utils/sequential_file.h"
#include "support/scripted_runtime.h"
#include "support/temp_folder.h"

namespace {

using testsupport::TempFolder;
using testsupport::WriteFile;

std::vector<std::string> ReadAllLines(const std::string& path) {
    Utils::SequentialFile file(path);
    std::vector<std::string> lines;
    while (!file.AtEnd()) lines.push_back(Utils::ReadLineFromFile(file));
    EXPECT_EQ(Utils::ReadLineFromFile(file), "") << "a file at its end gives an empty line";
    return lines;
}

TEST(ReadLineFromFileTest, EndsLinesOnlyAtCrLfAndReadsWindows1252AsUtf8) {
    const struct {
        const char* name;
        std::string content;
        std::vector<std::string> lines;
    } rows[] = {
        {.name = "no_end_at_last", .content = "a;b\r\nc;d", .lines = {"a;b\r\n", "c;d"}},
        {.name = "lone_lf", .content = "a\nb\nc\n", .lines = {"a\nb\nc\n"}},
        {.name = "cr_cr_lf", .content = "a\r\r\nb\r\nc", .lines = {"a\r\r\nb\r\n", "c"}},
        {.name = "empty_file", .content = "", .lines = {}},
        {.name = "cp1252", .content = "\xD6sterreich\r\n\x80", .lines = {"Österreich\r\n", "€"}},
        {.name = "utf8_stays", .content = "Straße\r\n\xDF;", .lines = {"Straße\r\n", "ß;"}},
    };
    TempFolder folder;
    testsupport::ScriptedRuntime runtime;
    for (const auto& row : rows) {
        WriteFile(folder / "marquill.csv", row.content);  // found whatever the case of its name
        EXPECT_EQ(ReadAllLines(folder / "MARQUILL.CSV"), row.lines) << row.name;
    }
}

// Field n of each line; a field number below 1 takes the first, beyond the end the last.
TEST(GetTokenTest, TakesFieldNOrTheLastField) {
    const std::string kLong(32765, 'y');
    const struct {
        const char* name;
        std::string line;
        std::vector<std::string> fields;
    } rows[] = {
        {.name = "six",
         .line = "Blitzer;blitz;1;3;X;0",
         .fields = {"Blitzer", "blitz", "1", "3", "X", "0"}},
        {.name = "one", .line = "Kamera", .fields = {"Kamera"}},
        {.name = "empty_last", .line = "Kamera;KAM;", .fields = {"Kamera", "KAM", ""}},
        {.name = "empty_middle", .line = "a;;c", .fields = {"a", "", "c"}},
        // A separator exactly at the last 16-bit position still counts.
        {.name = "at_32767", .line = "a;" + kLong + ";z", .fields = {"a", kLong, "z"}},
    };
    testsupport::ScriptedRuntime runtime;
    for (const auto& row : rows) {
        const int last = static_cast<int>(row.fields.size());
        for (const std::int16_t n : {-5, 0, 1, 2, 3, 6, 7, 32767}) {
            EXPECT_EQ(Utils::Get_Token(row.line, n), row.fields[std::clamp<int>(n, 1, last) - 1])
                << row.name << " #" << n;
        }
    }
}

TEST(GetTokenTest, ReportsSeparatorPositionOverflow) {
    const std::string kLong(32766, 'x');
    const struct {
        const char* name;
        std::string line;
        std::int16_t n;
        int statement;
    } rows[] = {
        {.name = "first_search", .line = kLong + "x;b", .n = 1, .statement = 30},
        {.name = "cut_after_it", .line = kLong + ";b", .n = 2, .statement = 60},
        {.name = "next_search", .line = "a;" + kLong + "x;b", .n = 2, .statement = 70},
    };
    for (const auto& row : rows) {
        testsupport::ScriptedRuntime runtime;
        EXPECT_THROW(Utils::Get_Token(row.line, row.n), runtime::ProgramEnded) << row.name;
        EXPECT_EQ(runtime.Boxes().at(0).text,
                  "Überlauf\r\nModul   : Utils\r\nFunktion: Get_Token\r\nZeile   : " +
                      std::to_string(row.statement) + "\r\n")
            << row.name;
    }
}

TEST(HasPoiDataTest, NeedsADataFileAndAnIcon) {
    const struct {
        const char* name;
        const char* entries;  // a name ending in "/" is a folder
        std::int16_t answer;
    } rows[] = {
        {.name = "csv_and_icon", .entries = "Blitzer.csv Blitzer.bmp", .answer = -1},
        {.name = "asc_other_case", .entries = "BLITZER.ASC blitzer.Bmp", .answer = -1},
        {.name = "icon_only", .entries = "Blitzer.bmp", .answer = 0},
        {.name = "data_only", .entries = "Blitzer.csv", .answer = 0},
        {.name = "icon_is_a_folder", .entries = "Blitzer.csv Blitzer.bmp/", .answer = 0},
    };
    for (const auto& row : rows) {
        TempFolder folder;
        std::istringstream names(row.entries);
        for (std::string name; names >> name;) {
            name.back() == '/' ? (void)testsupport::MakeFolder(folder / name)
                               : WriteFile(folder / name, "x");
        }
        EXPECT_EQ(Utils::HasPoiData(folder / "Blitzer"), row.answer) << row.name;
    }
}

}  // namespace
