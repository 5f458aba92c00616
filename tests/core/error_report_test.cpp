// How a failure reaches the user: as a runtime error numbered as the Basic runtime numbered it,
// in the guarded procedures' error report or the event guard's standard message; both end the
// program for good.
#include "core/utils/error_report.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <functional>
#include <new>
#include <stdexcept>

#include "core/runtime/event_handler.h"
#include "core/runtime/runtime_error.h"
#include "support/scripted_runtime.h"
#include "support/temp_folder.h"

namespace {

using testsupport::ScriptedRuntime;

void ExpectOneCriticalBox(const ScriptedRuntime& runtime, const std::string& text,
                          const char* name) {
    EXPECT_EQ(runtime.Texts(), std::vector<std::string>{text}) << name;
    for (const auto& box : runtime.Boxes()) {
        EXPECT_EQ(box.style, runtime::vbCritical) << name;
        EXPECT_EQ(box.title, "Marquill") << name;
    }
    EXPECT_TRUE(runtime.Ended()) << name;
}

TEST(ErrorFromErrno, MapsOntoTheRuntimeNumbers) {
    // clang-format off
    struct Row { const char* name; int err; const char* file = "f"; int number; };
    const Row rows[] = {
        {.name = "ENOENT",         .err = ENOENT,                          .number = 53},
        {.name = "ENOENT_folder",  .err = ENOENT,    .file = "missing/f", .number = 76},
        {.name = "EACCES",         .err = EACCES,                          .number = 70},
        {.name = "ENOSPC",         .err = ENOSPC,                          .number = 61},
        {.name = "EFBIG",          .err = EFBIG,                           .number = 61},
        {.name = "ENAMETOOLONG",   .err = ENAMETOOLONG,                    .number = 52},
        {.name = "EIO",            .err = EIO,                             .number = 75},
    };
    // clang-format on
    testsupport::TempFolder folder;
    for (const Row& row : rows) {
        EXPECT_EQ(runtime::ErrorFromErrno(row.err, folder / row.file).Number(), row.number)
            << row.name;
    }
}

// The statement line only for a numbered statement.
TEST(ErrorReport, ShowsOneCriticalBoxAndEndsTheProgram) {
    // clang-format off
    struct Row { const char* name; std::string desc; int statement; std::string end; };
    const Row rows[] = {
        {.name = "numbered",       .desc = "Überlauf", .statement = 20, .end = "Zeile   : 20\r\n"},
        {.name = "unnumbered",     .desc = "Überlauf", .statement = 0,  .end = ""},
        {.name = "no_description", .desc = "",         .statement = 40, .end = "Zeile   : 40\r\n"},
    };
    // clang-format on
    for (const Row& row : rows) {
        ScriptedRuntime runtime;
        EXPECT_THROW(Utils::ShowError(row.desc, "vbreg", "isProcess", row.statement),
                     runtime::ProgramEnded)
            << row.name;
        const std::string text =
            row.desc + "\r\nModul   : vbreg\r\nFunktion: isProcess\r\n" + row.end;
        ExpectOneCriticalBox(runtime, text, row.name);
    }
}

TEST(EventHandler, AnUnhandledFailureShowsTheStandardMessageAndEndsTheProgram) {
    // clang-format off
    struct Row { const char* name; std::function<void()> handler; const char* text; };
    const Row rows[] = {
        {.name = "runtime_error", .handler = [] { throw runtime::RuntimeError(53); },
         .text = "Laufzeitfehler '53':\r\n\r\nDatei nicht gefunden"},
        {.name = "memory_ran_out", .handler = [] { throw std::bad_alloc(); },
         .text = "Laufzeitfehler '7':\r\n\r\nNicht genügend Speicher"},
        {.name = "any_other_failure", .handler = [] { throw std::runtime_error("other"); },
         .text = "Laufzeitfehler '75':\r\n\r\nFehler beim Zugriff auf Pfad oder Datei"},
    };
    // clang-format on
    for (const Row& row : rows) {
        ScriptedRuntime runtime;
        runtime::RunEventHandler(row.handler);
        ExpectOneCriticalBox(runtime, row.text, row.name);
    }
}

TEST(EventHandler, TheEndCannotBeSwallowedAndNoHandlerRunsAfterIt) {
    ScriptedRuntime runtime;
    bool swallowed = false, ranAfterTheEnd = false;
    runtime::RunEventHandler([&] {
        try {
            runtime::EndProgram();
        } catch (const std::exception&) {
            swallowed = true;
        }
    });
    runtime::RunEventHandler([&] { ranAfterTheEnd = true; });
    EXPECT_FALSE(swallowed);
    EXPECT_TRUE(runtime.Ended());
    EXPECT_FALSE(ranAfterTheEnd);
}

}  // namespace
