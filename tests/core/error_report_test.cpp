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

// Inside the event guard, as every handler runs: the guarded procedures' report (the statement
// line only for a numbered statement), or the standard message for anything unhandled.
TEST(ErrorBox, ShowsOneCriticalBoxAndNoHandlerRunsAfterIt) {
    const auto report = [](int statement) {
        return [statement] { Utils::ShowError("Überlauf", "vbreg", "isProcess", statement); };
    };
    const std::string kReport = "Überlauf\r\nModul   : vbreg\r\nFunktion: isProcess\r\n";
    // clang-format off
    struct Row { const char* name; std::function<void()> handler; std::string text; };
    const Row rows[] = {
        {.name = "numbered",       .handler = report(20), .text = kReport + "Zeile   : 20\r\n"},
        {.name = "unnumbered",     .handler = report(0),  .text = kReport},
        {.name = "runtime_error",  .handler = [] { throw runtime::RuntimeError(53); },
         .text = "Laufzeitfehler '53':\r\n\r\nDatei nicht gefunden"},
        {.name = "memory_ran_out", .handler = [] { throw std::bad_alloc(); },
         .text = "Laufzeitfehler '7':\r\n\r\nNicht genügend Speicher"},
        {.name = "other_failure",  .handler = [] { throw std::runtime_error("other"); },
         .text = "Laufzeitfehler '75':\r\n\r\nFehler beim Zugriff auf Pfad oder Datei"},
    };
    // clang-format on
    for (const Row& row : rows) {
        testsupport::ScriptedRuntime runtime;
        bool ranAfterTheEnd = false;
        runtime::RunEventHandler(row.handler);
        runtime::RunEventHandler([&] { ranAfterTheEnd = true; });
        EXPECT_EQ(runtime.Texts(), std::vector{row.text}) << row.name;
        for (const auto& box : runtime.Boxes()) {
            EXPECT_EQ(box.style, runtime::vbCritical) << row.name;
            EXPECT_EQ(box.title, "Marquill") << row.name;
        }
        EXPECT_TRUE(runtime.Ended()) << row.name;
        EXPECT_FALSE(ranAfterTheEnd) << row.name;
    }
}

}  // namespace
