// How a failure reaches the user: as a runtime error numbered as the Basic runtime numbered it,
// in the guarded procedures' error report or the event guard's standard message; both end the
// program for good.
#include "core/utils/error_report.h"

#include <gtest/gtest.h>

#include <functional>
#include <new>
#include <stdexcept>

#include "core/runtime/event_handler.h"
#include "core/runtime/runtime_error.h"
#include "support/scripted_runtime.h"

namespace {

// Inside the event guard, as every handler runs: the guarded procedures' report (the statement
// line only for a numbered statement), or the standard message for anything unhandled. The
// window tests show that no handler runs after the end.
TEST(ErrorBox, ShowsOneCriticalBoxAndEndsTheProgram) {
    // clang-format off
    struct Row { const char* name; std::function<void()> handler; std::string text; };
    const Row rows[] = {
        {.name = "unnumbered",     .handler = [] { Utils::ShowError("Überlauf", "vbreg", "isProcess", 0); },
         .text = "Überlauf\r\nModul   : vbreg\r\nFunktion: isProcess\r\n"},
        {.name = "memory_ran_out", .handler = [] { throw std::bad_alloc(); },
         .text = "Laufzeitfehler '7':\r\n\r\nNicht genügend Speicher"},
        {.name = "other_failure",  .handler = [] { throw std::runtime_error("other"); },
         .text = "Laufzeitfehler '75':\r\n\r\nFehler beim Zugriff auf Pfad oder Datei"},
    };
    // clang-format on
    for (const Row& row : rows) {
        testsupport::ScriptedRuntime runtime;
        runtime::RunEventHandler(row.handler);
        std::vector<std::string> shown;
        for (const auto& box : runtime.Boxes())
            shown.push_back(std::to_string(box.style) + " " + box.title + ": " + box.text);
        EXPECT_EQ(shown, std::vector{"16 Marquill: " + row.text}) << row.name;
        EXPECT_TRUE(runtime.Ended()) << row.name;
    }
}

}  // namespace
