#include <gtest/gtest.h>

#include "core/utils/install_list.h"
#include "core/utils/sequential_file.h"
#include "support/scripted_runtime.h"
#include "support/temp_folder.h"

namespace {

// Linux opens a folder for reading and fails at the first read; Windows refuses the opening.
TEST(ReadLineFromFileTest, ReportsAFailingReadAndEnds) {
    testsupport::TempFolder folder;
    testsupport::ScriptedRuntime runtime;
    Utils::SequentialFile directory(folder.Path());  // opens, but reading fails
    EXPECT_THROW(Utils::ReadLineFromFile(directory), runtime::ProgramEnded);
    EXPECT_EQ(runtime.Boxes().at(0).text,
              "Fehler beim Zugriff auf Pfad oder Datei\r\nModul   : Utils\r\n"
              "Funktion: ReadLineFromFile\r\nZeile   : 70\r\n");
}

}  // namespace
