#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <string>
#include <vector>

#include "core/runtime/runtime.h"
#include "core/utils/utils.h"
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

void ExpectOneReport(const testsupport::ScriptedRuntime& runtime, const std::string& text) {
    ASSERT_EQ(runtime.Boxes().size(), 1u);
    EXPECT_EQ(runtime.Boxes()[0].text, text);
    EXPECT_EQ(runtime.Boxes()[0].style, 16);
}

TEST(ReadLineFromFileTest, EndsLinesOnlyAtCrLfAndReadsWindows1252AsUtf8) {
    const struct {
        std::string content;
        std::vector<std::string> lines;
    } cases[] = {
        {"a;b\r\nc;d", {"a;b\r\n", "c;d"}},
        {"a\r\nb\r\n", {"a\r\n", "b\r\n"}},
        {"a\nb\nc\n", {"a\nb\nc\n"}},
        {"a\r\r\nb\r\nc", {"a\r\r\nb\r\n", "c"}},
        {"", {}},
        {"a\x1A;\r\n", {"a\x1A;\r\n"}},
        {"Blitzer \xD6sterreich;B\r\n\x80 Euro", {"Blitzer Österreich;B\r\n", "€ Euro"}},
        {"Straße\r\n\xDF;", {"Straße\r\n", "ß;"}},
    };
    TempFolder folder;
    testsupport::ScriptedRuntime runtime;
    for (const auto& c : cases) {
        WriteFile(folder / "marquill.csv", c.content);  // found whatever the case of its name
        EXPECT_EQ(ReadAllLines(folder / "MARQUILL.CSV"), c.lines) << c.content;
    }
    EXPECT_TRUE(runtime.Boxes().empty());
}

TEST(ReadLineFromFileTest, ReportsAFailingReadAndEnds) {
    TempFolder folder;
    testsupport::ScriptedRuntime runtime;
    Utils::SequentialFile directory(folder.Path());  // opens, but reading fails
    EXPECT_THROW(Utils::ReadLineFromFile(directory), runtime::ProgramEnded);
    ExpectOneReport(runtime,
                    "Fehler beim Zugriff auf Pfad oder Datei\r\nModul   : Utils\r\n"
                    "Funktion: ReadLineFromFile\r\nZeile   : 70\r\n");
}

// Field n of each line; a field number below 1 takes the first, beyond the end the last.
TEST(GetTokenTest, TakesFieldNOrTheLastField) {
    const struct {
        std::string line;
        std::vector<std::string> fields;
    } cases[] = {
        {"Blitzer;blitz;1;3;X;0", {"Blitzer", "blitz", "1", "3", "X", "0"}},
        {"Kamera", {"Kamera"}},
        {"Kamera;KAM;1", {"Kamera", "KAM", "1"}},
        {"Kamera;KAM;", {"Kamera", "KAM", ""}},
        {"a;;c", {"a", "", "c"}},
        // A separator exactly at the last 16-bit position still counts.
        {"a;" + std::string(32765, 'y') + ";z", {"a", std::string(32765, 'y'), "z"}},
    };
    testsupport::ScriptedRuntime runtime;
    for (const auto& c : cases) {
        const int last = static_cast<int>(c.fields.size());
        for (const std::int16_t n : {-5, 0, 1, 2, 3, 4, 5, 6, 7, 32767}) {
            const std::string& field = c.fields[std::clamp<int>(n, 1, last) - 1];
            EXPECT_EQ(Utils::Get_Token(c.line, n), field) << c.line.substr(0, 12) << " #" << n;
        }
    }
    EXPECT_EQ(Utils::Get_Token(std::string(32766, 'x') + ";t", 1), std::string(32766, 'x'));
    EXPECT_TRUE(runtime.Boxes().empty());
}

TEST(GetTokenTest, ReportsSeparatorPositionOverflow) {
    const struct {
        std::string line;
        std::int16_t n;
        int statement;
    } cases[] = {
        {std::string(32767, 'x') + ";b", 1, 30},
        {std::string(32766, 'x') + ";b", 2, 60},
        {"a;" + std::string(32767, 'x') + ";b", 2, 70},
    };
    for (const auto& c : cases) {
        testsupport::ScriptedRuntime runtime;
        EXPECT_THROW(Utils::Get_Token(c.line, c.n), runtime::ProgramEnded) << c.statement;
        ExpectOneReport(runtime,
                        "Überlauf\r\nModul   : Utils\r\nFunktion: Get_Token\r\nZeile   : " +
                            std::to_string(c.statement) + "\r\n");
    }
}

TEST(HasPoiDataTest, NeedsADataFileAndAnIcon) {
    const struct {
        std::vector<std::string> files;
        std::vector<std::string> folders;
        std::int16_t result;
    } cases[] = {
        {{"Blitzer.csv", "Blitzer.bmp"}, {}, -1},
        {{"Blitzer.asc", "Blitzer.bmp"}, {}, -1},
        {{"BLITZER.CSV", "blitzer.Bmp"}, {}, -1},
        {{"Blitzer.bmp"}, {}, 0},
        {{"Blitzer.csv"}, {}, 0},
        {{"Blitzer.csv"}, {"Blitzer.bmp"}, 0},
        {{"Blitzer.bmp"}, {"Blitzer.csv"}, 0},
    };
    for (const auto& c : cases) {
        TempFolder folder;
        for (const auto& name : c.files) WriteFile(folder / name, "x");
        for (const auto& name : c.folders) ASSERT_EQ(mkdir((folder / name).c_str(), 0700), 0);
        EXPECT_EQ(Utils::HasPoiData(folder / "Blitzer"), c.result) << c.files[0];
    }
}

TEST(InstallListTest, Windows1252ListFindsItsUtf8NamedFiles) {
    TempFolder folder;
    WriteFile(folder / "MARQUILL.CSV", "Blitzer \xD6sterreich;blitz;1;3;X;0\r\n");
    WriteFile(folder / "Blitzer Österreich.csv", "x");
    WriteFile(folder / "Blitzer Österreich.bmp", "x");
    Utils::SequentialFile list(folder / "MARQUILL.CSV");
    const std::string name = Utils::Get_Token(Utils::ReadLineFromFile(list), 1);
    EXPECT_EQ(name, "Blitzer Österreich");
    EXPECT_EQ(Utils::HasPoiData(folder.Path() + "/" + name), -1);
}

}  // namespace
