#include <gtest/gtest.h>
#include <sys/stat.h>

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

TEST(ReadLineFromFileTest, EndsLinesOnlyAtCrLf) {
    const struct {
        const char* label;
        std::string content;
        std::vector<std::string> lines;
    } cases[] = {
        {"last line without end", "a;b\r\nc;d", {"a;b\r\n", "c;d"}},
        {"every line ended", "a\r\nb\r\n", {"a\r\n", "b\r\n"}},
        {"LF only is one line", "a\nb\nc\n", {"a\nb\nc\n"}},
        {"lone CR does not end", "a\rb\r\nc", {"a\rb\r\n", "c"}},
        {"CR CR LF does not end", "a\r\r\nb\r\nc", {"a\r\r\nb\r\n", "c"}},
        {"LF CR LF ends", "a\n\r\nb", {"a\n\r\n", "b"}},
        {"empty lines stay", "\r\n\r\nx", {"\r\n", "\r\n", "x"}},
        {"empty file", "", {}},
        {"Ctrl-Z is a character",
         "a\x1A"
         "b",
         {"a\x1A"
          "b"}},
        {"NUL is a character", std::string("a\0b\r\n", 5), {std::string("a\0b\r\n", 5)}},
    };
    TempFolder folder;
    testsupport::ScriptedRuntime runtime;
    for (const auto& c : cases) {
        WriteFile(folder / "MARQUILL.CSV", c.content);
        EXPECT_EQ(ReadAllLines(folder / "MARQUILL.CSV"), c.lines) << c.label;
    }
    EXPECT_TRUE(runtime.Boxes().empty());
}

TEST(ReadLineFromFileTest, ReadsWindows1252LinesAsUtf8) {
    TempFolder folder;
    WriteFile(folder / "MARQUILL.CSV",
              "Blitzer \xD6sterreich;B\r\n"
              "Stra\xC3\x9F"
              "e;S\r\n"
              "\x80 Euro\r\n");
    const std::vector<std::string> expected = {"Blitzer \xC3\x96sterreich;B\r\n",
                                               "Stra\xC3\x9F"
                                               "e;S\r\n",
                                               "\xE2\x82\xAC Euro\r\n"};
    EXPECT_EQ(ReadAllLines(folder / "MARQUILL.CSV"), expected);
}

TEST(ReadLineFromFileTest, ReportsAFailingReadAndEnds) {
    TempFolder folder;
    testsupport::ScriptedRuntime runtime;
    Utils::SequentialFile directory(folder.Path());  // opens, but reading fails

    EXPECT_THROW(Utils::ReadLineFromFile(directory), runtime::ProgramEnded);

    ASSERT_EQ(runtime.Boxes().size(), 1u);
    EXPECT_EQ(runtime.Boxes()[0].text,
              "Fehler beim Zugriff auf Pfad oder Datei\r\n"
              "Modul   : Utils\r\n"
              "Funktion: ReadLineFromFile\r\n"
              "Zeile   : 70\r\n");
    EXPECT_EQ(runtime.Boxes()[0].style, 16);
    EXPECT_EQ(runtime.Boxes()[0].title, "Marquill");
}

TEST(SequentialFileTest, OpensTheListWhateverTheCaseOfItsName) {
    TempFolder folder;
    WriteFile(folder / "marquill.csv", "Blitzer;blitz");
    Utils::SequentialFile file(folder / "MARQUILL.CSV");
    EXPECT_EQ(Utils::ReadLineFromFile(file), "Blitzer;blitz");
}

TEST(SequentialFileTest, MissingFileOrFolderIsARuntimeError) {
    TempFolder folder;
    const struct {
        std::string path;
        int number;
    } cases[] = {
        {folder / "MARQUILL.CSV", 53},
        {folder / "missing/MARQUILL.CSV", 76},
    };
    for (const auto& c : cases) {
        try {
            Utils::SequentialFile file(c.path);
            ADD_FAILURE() << "opened " << c.path;
        } catch (const runtime::RuntimeError& e) {
            EXPECT_EQ(e.Number(), c.number) << c.path;
        }
    }
}

TEST(GetTokenTest, TakesFieldNOrTheLastField) {
    const struct {
        std::string line;
        std::int16_t n;
        std::string field;
    } cases[] = {
        {"Blitzer;blitz;1;3;X;0", 1, "Blitzer"},
        {"Blitzer;blitz;1;3;X;0", 2, "blitz"},
        {"Blitzer;blitz;1;3;X;0", 4, "3"},
        {"Blitzer;blitz;1;3;X;0", 6, "0"},
        {"Blitzer;blitz;1;3;X;0", 7, "0"},
        {"Blitzer;blitz;1;3;X;0", 0, "Blitzer"},
        {"Blitzer;blitz;1;3;X;0", -5, "Blitzer"},
        {"Kamera", 1, "Kamera"},
        {"Kamera", 6, "Kamera"},
        {"Kamera;KAM;1", 3, "1"},
        {"Kamera;KAM;1", 6, "1"},
        {"Kamera;KAM;", 3, ""},
        {"Kamera;KAM;", 6, ""},
        {"a;;c", 2, ""},
        {"a;;c", 3, "c"},
        {"", 1, ""},
        {";", 1, ""},
        {";", 2, ""},
        {"a;b;c;d;e;f;g;h", 6, "f"},
        {"Kamera", 32767, "Kamera"},
        {"a;b", 32767, "b"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Utils::Get_Token(c.line, c.n), c.field) << c.line << " field " << c.n;
    }
}

TEST(GetTokenTest, SeparatorExactlyAtTheLimitIsAField) {
    testsupport::ScriptedRuntime runtime;
    const std::string line = std::string(32766, 'x') + ";tail";
    EXPECT_EQ(Utils::Get_Token(line, 1), std::string(32766, 'x'));
    const std::string second = "a;" + std::string(32765, 'y') + ";z";
    EXPECT_EQ(Utils::Get_Token(second, 2), std::string(32765, 'y'));
    EXPECT_EQ(Utils::Get_Token(second, 3), "z");
    EXPECT_TRUE(runtime.Boxes().empty());
}

TEST(GetTokenTest, ReportsSeparatorPositionOverflow) {
    const struct {
        const char* label;
        std::string line;
        std::int16_t n;
        int statement;
    } cases[] = {
        {"first beyond the limit", std::string(32767, 'x') + ";b", 1, 30},
        {"first beyond the limit, later field", std::string(40000, 'x') + ";b", 3, 30},
        {"first at the limit, cut after it", std::string(32766, 'x') + ";b", 2, 60},
        {"later beyond the limit", "a;" + std::string(32767, 'x') + ";b", 2, 70},
    };
    for (const auto& c : cases) {
        testsupport::ScriptedRuntime runtime;
        EXPECT_THROW(Utils::Get_Token(c.line, c.n), runtime::ProgramEnded) << c.label;
        ASSERT_EQ(runtime.Boxes().size(), 1u) << c.label;
        EXPECT_EQ(runtime.Boxes()[0].text,
                  "Überlauf\r\nModul   : Utils\r\nFunktion: Get_Token\r\n"
                  "Zeile   : " +
                      std::to_string(c.statement) + "\r\n")
            << c.label;
        EXPECT_EQ(runtime.Boxes()[0].style, 16);
    }
}

// The six columns of a list line, normalised as the install run uses them.
struct Category {
    std::string name, shortName, active, distance, sound, visual;
    bool operator==(const Category&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Category& c) {
    return out << c.name << "|" << c.shortName << "|" << c.active << "|" << c.distance << "|"
               << c.sound << "|" << c.visual;
}

Category CategoryOf(const std::string& line) {
    Category c;
    c.name = Utils::TrimSpaces(Utils::Get_Token(line, 1));
    c.shortName = Utils::ShortNameOf(Utils::Get_Token(line, 2));
    if (c.shortName.empty()) c.shortName = Utils::ShortNameOf(c.name);
    c.active = Utils::FlagValue(Utils::Get_Token(line, 3));
    c.distance = Utils::DistanceValue(Utils::Get_Token(line, 4));
    c.sound = Utils::FlagValue(Utils::Get_Token(line, 5));
    c.visual = Utils::FlagValue(Utils::Get_Token(line, 6));
    return c;
}

TEST(InstallListLineTest, ColumnsFollowTheFieldRules) {
    const struct {
        std::string line;
        Category category;
    } cases[] = {
        {"Blitzer;blitz;1;3;X;0", {"Blitzer", "BLITZ", "1", "200", "1", "0"}},
        {"Kamera", {"Kamera", "KAMERA", "0", "1000", "0", "0"}},
        {"Kamera;KAM;1", {"Kamera", "KAM", "1", "50", "1", "1"}},
        {"Kamera;KAM;", {"Kamera", "KAM", "0", "1000", "0", "0"}},
        {"a;;c", {"a", "A", "0", "1000", "0", "0"}},
        {"Radarfallen;", {"Radarfallen", "RADARFAL", "0", "1000", "0", "0"}},
        {" Blitzer ;blitzer mobil;X;2000;1;1;extra", {"Blitzer", "BLITZER", "1", "2000", "1", "1"}},
        {"Blitzer;  ab;1;3;X;0", {"Blitzer", "AB", "1", "200", "1", "0"}},
    };
    for (const auto& c : cases) EXPECT_EQ(CategoryOf(c.line), c.category) << c.line;
}

TEST(HasPoiDataTest, NeedsADataFileAndAnIcon) {
    const struct {
        const char* label;
        std::vector<std::string> files;
        std::vector<std::string> folders;
        std::int16_t result;
    } cases[] = {
        {"csv and icon", {"Blitzer.csv", "Blitzer.bmp"}, {}, -1},
        {"asc and icon", {"Blitzer.asc", "Blitzer.bmp"}, {}, -1},
        {"both data files", {"Blitzer.csv", "Blitzer.asc", "Blitzer.bmp"}, {}, -1},
        {"other letter case", {"BLITZER.CSV", "blitzer.Bmp"}, {}, -1},
        {"icon only", {"Blitzer.bmp"}, {}, 0},
        {"data only", {"Blitzer.csv"}, {}, 0},
        {"icon name taken by a folder", {"Blitzer.csv"}, {"Blitzer.bmp"}, 0},
        {"data name taken by a folder", {"Blitzer.bmp"}, {"Blitzer.csv"}, 0},
        {"other category", {"Kamera.csv", "Kamera.bmp"}, {}, 0},
        {"nothing", {}, {}, 0},
    };
    for (const auto& c : cases) {
        TempFolder folder;
        for (const auto& name : c.files) WriteFile(folder / name, "x");
        for (const auto& name : c.folders) ASSERT_EQ(mkdir((folder / name).c_str(), 0700), 0);
        EXPECT_EQ(Utils::HasPoiData(folder / "Blitzer"), c.result) << c.label;
    }
}

TEST(HasPoiDataTest, BlankCategoryNameNeverFindsHiddenFiles) {
    TempFolder folder;
    WriteFile(folder / ".csv", "x");
    WriteFile(folder / ".bmp", "x");
    EXPECT_EQ(Utils::HasPoiData(folder.Path() + "/"), 0);
}

TEST(InstallListTest, Windows1252ListFindsItsUtf8NamedFiles) {
    TempFolder folder;
    WriteFile(folder / "MARQUILL.CSV", "Blitzer \xD6sterreich;blitz;1;3;X;0\r\n");
    WriteFile(folder / "Blitzer \xC3\x96sterreich.csv", "x");
    WriteFile(folder / "Blitzer \xC3\x96sterreich.bmp", "x");

    Utils::SequentialFile list(folder / "MARQUILL.CSV");
    const std::string line = Utils::ReadLineFromFile(list);
    const std::string name =
        Utils::TrimSpaces(Utils::Get_Token(line.substr(0, line.size() - 2), 1));

    EXPECT_EQ(name, "Blitzer \xC3\x96sterreich");
    EXPECT_EQ(Utils::HasPoiData(folder.Path() + "/" + name), -1);
}

}  // namespace
