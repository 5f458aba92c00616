#include "core/utils/error_report.h"

#include <gtest/gtest.h>

#include <string>

#include "core/runtime/runtime_error.h"
#include "support/scripted_runtime.h"

namespace {

// The statement line is shown only for a numbered statement.
TEST(ErrorReportTest, ShowsOneCriticalBoxAndEndsTheProgram) {
    const struct {
        const char* name;
        int statement;
        std::string text;
    } rows[] = {
        {.name = "numbered",
         .statement = 20,
         .text = "Überlauf\r\nModul   : vbreg\r\nFunktion: isProcess\r\nZeile   : 20\r\n"},
        {.name = "unnumbered",
         .statement = 0,
         .text = "Überlauf\r\nModul   : vbreg\r\nFunktion: isProcess\r\n"},
    };
    for (const auto& row : rows) {
        testsupport::ScriptedRuntime runtime;
        EXPECT_THROW(Utils::ShowError("Überlauf", "vbreg", "isProcess", row.statement),
                     runtime::ProgramEnded)
            << row.name;
        EXPECT_EQ(runtime.Boxes().size(), 1u) << row.name;
        for (const auto& box : runtime.Boxes()) {
            EXPECT_EQ(box.text, row.text) << row.name;
            EXPECT_EQ(box.style, 16) << row.name;
            EXPECT_EQ(box.title, "Marquill") << row.name;
        }
    }
}

}  // namespace
