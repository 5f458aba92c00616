#include "core/runtime/runtime.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <stdexcept>

#include "core/runtime/event_handler.h"
#include "support/scripted_runtime.h"
#include "support/temp_folder.h"

namespace {

using testsupport::ScriptedRuntime;

TEST(EventHandler, UnhandledRuntimeErrorShowsTheStandardMessageAndEnds) {
    ScriptedRuntime runtime;
    bool after = false;
    runtime::RunEventHandler([&] {
        throw runtime::RuntimeError(53);
        after = true;
    });
    ASSERT_EQ(runtime.Boxes().size(), 1u);
    EXPECT_EQ(runtime.Boxes()[0].text, "Laufzeitfehler '53':\r\n\r\nDatei nicht gefunden");
    EXPECT_EQ(runtime.Boxes()[0].style, runtime::vbCritical);
    EXPECT_EQ(runtime.Boxes()[0].title, "Marquill");
    EXPECT_TRUE(runtime.Ended());
    EXPECT_FALSE(after);
}

TEST(EventHandler, OtherExceptionsAreReportedAsError75) {
    ScriptedRuntime runtime;
    runtime::RunEventHandler([] { throw std::runtime_error("boom"); });
    ASSERT_EQ(runtime.Boxes().size(), 1u);
    EXPECT_EQ(runtime.Boxes()[0].text,
              "Laufzeitfehler '75':\r\n\r\nFehler beim Zugriff auf Pfad oder Datei");
    EXPECT_TRUE(runtime.Ended());
}

TEST(EventHandler, NoHandlerRunsOnceTheProgramHasEnded) {
    ScriptedRuntime runtime;
    runtime::RunEventHandler([] { runtime::EndProgram(); });
    ASSERT_TRUE(runtime.Ended());
    bool ran = false;
    runtime::RunEventHandler([&] { ran = true; });
    EXPECT_FALSE(ran);
    EXPECT_TRUE(runtime.Boxes().empty());
}

TEST(EventHandler, TheEndCannotBeSwallowedByACatchAll) {
    ScriptedRuntime runtime;
    bool swallowed = false;
    runtime::RunEventHandler([&] {
        try {
            runtime::EndProgram();
        } catch (const std::exception&) {
            swallowed = true;
        }
    });
    EXPECT_FALSE(swallowed);
    EXPECT_TRUE(runtime.Ended());
}

struct ErrnoCase {
    int err;
    bool folderExists;
    int number;
};

class ErrnoMapping : public ::testing::TestWithParam<ErrnoCase> {};

TEST_P(ErrnoMapping, MapsOntoTheRuntimeNumbers) {
    testsupport::TempFolder folder;
    const std::string path =
        GetParam().folderExists ? folder / "file.txt" : folder / "missing/file.txt";
    EXPECT_EQ(runtime::ErrorFromErrno(GetParam().err, path).Number(), GetParam().number);
}

INSTANTIATE_TEST_SUITE_P(Cases, ErrnoMapping,
                         ::testing::Values(ErrnoCase{ENOENT, true, 53},
                                           ErrnoCase{ENOENT, false, 76},
                                           ErrnoCase{EACCES, true, 70}, ErrnoCase{EPERM, true, 70},
                                           ErrnoCase{EROFS, true, 70}, ErrnoCase{ENOSPC, true, 61},
                                           ErrnoCase{EDQUOT, true, 61}, ErrnoCase{EFBIG, true, 61},
                                           ErrnoCase{ENAMETOOLONG, true, 52},
                                           ErrnoCase{EINVAL, true, 52}, ErrnoCase{EIO, true, 75}));

TEST(RuntimeError, CarriesTheGermanDescriptions) {
    const std::pair<int, const char*> expected[] = {{5, "Ungültiges Argument"},
                                                    {6, "Überlauf"},
                                                    {52, "Ungültiger Dateiname"},
                                                    {53, "Datei nicht gefunden"},
                                                    {61, "Datenträger voll"},
                                                    {70, "Zugriff verweigert"},
                                                    {75, "Fehler beim Zugriff auf Pfad oder Datei"},
                                                    {76, "Pfad nicht gefunden"}};
    for (const auto& [number, text] : expected) {
        EXPECT_EQ(runtime::RuntimeError(number).Description(), text) << number;
    }
}

}  // namespace
