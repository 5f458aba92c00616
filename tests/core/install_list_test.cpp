#include "core/utils/install_list.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <string>
#include <utility>
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
    const std::pair<std::string, std::vector<std::string>> cases[] = {
        {"a;b\r\nc;d", {"a;b\r\n", "c;d"}},
        {"a\r\nb\r\n", {"a\r\n", "b\r\n"}},
        {"a\nb\nc\n", {"a\nb\nc\n"}},
        {"a\r\r\nb\r\nc", {"a\r\r\nb\r\n", "c"}},
        {"", {}},
        {"Blitzer \xD6sterreich;B\r\n\x80 Euro", {"Blitzer Österreich;B\r\n", "€ Euro"}},
        {"Straße\r\n\xDF;", {"Straße\r\n", "ß;"}},
    };
    TempFolder folder;
    testsupport::ScriptedRuntime runtime;
    for (const auto& [content, lines] : cases) {
        WriteFile(folder / "marquill.csv", content);  // found whatever the case of its name
        EXPECT_EQ(ReadAllLines(folder / "MARQUILL.CSV"), lines) << content;
    }
}

// Field n of each line; a field number below 1 takes the first, beyond the end the last.
TEST(GetTokenTest, TakesFieldNOrTheLastField) {
    const std::vector<std::string> cases[] = {
        {"Blitzer;blitz;1;3;X;0", "Blitzer", "blitz", "1", "3", "X", "0"},
        {"Kamera", "Kamera"},
        {"Kamera;KAM;1", "Kamera", "KAM", "1"},
        {"Kamera;KAM;", "Kamera", "KAM", ""},
        {"a;;c", "a", "", "c"},
        // A separator exactly at the last 16-bit position still counts.
        {"a;" + std::string(32765, 'y') + ";z", "a", std::string(32765, 'y'), "z"},
    };
    testsupport::ScriptedRuntime runtime;
    for (const auto& c : cases) {
        const int last = static_cast<int>(c.size()) - 1;
        for (const std::int16_t n : {-5, 0, 1, 2, 3, 4, 5, 6, 7, 32767}) {
            EXPECT_EQ(Utils::Get_Token(c[0], n), c[std::clamp<int>(n, 1, last)])
                << c[0].substr(0, 12) << " #" << n;
        }
    }
}

TEST(GetTokenTest, ReportsSeparatorPositionOverflow) {
    const std::pair<std::string, int> cases[] = {
        {std::string(32767, 'x') + ";b", 30},  // field 1
        {std::string(32766, 'x') + ";b", 60},  // field 2
        {"a;" + std::string(32767, 'x') + ";b", 70},
    };
    for (const auto& [line, statement] : cases) {
        testsupport::ScriptedRuntime runtime;
        EXPECT_THROW(Utils::Get_Token(line, statement == 30 ? 1 : 2), runtime::ProgramEnded);
        EXPECT_EQ(runtime.Boxes().at(0).text,
                  "Überlauf\r\nModul   : Utils\r\nFunktion: Get_Token\r\nZeile   : " +
                      std::to_string(statement) + "\r\n");
    }
}

// Entries ending in "/" are made as folders.
std::int16_t HasPoiDataAmong(const std::string& entries) {
    TempFolder folder;
    std::istringstream names(entries);
    for (std::string name; names >> name;) {
        if (name.back() == '/') {
            EXPECT_TRUE(testsupport::MakeFolder(folder / name));
        } else {
            WriteFile(folder / name, "x");
        }
    }
    return Utils::HasPoiData(folder / "Blitzer");
}

TEST(HasPoiDataTest, NeedsADataFileAndAnIcon) {
    for (const char* entries :
         {"Blitzer.csv Blitzer.bmp", "Blitzer.asc Blitzer.bmp", "BLITZER.CSV blitzer.Bmp"}) {
        EXPECT_EQ(HasPoiDataAmong(entries), -1) << entries;
    }
    for (const char* entries : {"Blitzer.bmp", "Blitzer.csv", "Blitzer.csv Blitzer.bmp/"}) {
        EXPECT_EQ(HasPoiDataAmong(entries), 0) << entries;
    }
}

TEST(InstallListTest, Windows1252ListFindsItsUtf8NamedFiles) {
    TempFolder folder;
    WriteFile(folder / "MARQUILL.CSV", "Blitzer \xD6sterreich;blitz;1;3;X;0\r\n");
    WriteFile(folder / "Blitzer Österreich.csv", "x");
    WriteFile(folder / "Blitzer Österreich.bmp", "x");
    Utils::SequentialFile list(folder / "MARQUILL.CSV");
    EXPECT_EQ(Utils::HasPoiData(folder / Utils::Get_Token(Utils::ReadLineFromFile(list), 1)), -1);
}

}  // namespace
