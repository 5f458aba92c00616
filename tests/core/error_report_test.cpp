#include "core/utils/error_report.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>

#include "core/runtime/runtime_error.h"
#include "support/scripted_runtime.h"

namespace {

// The statement line is shown only for a numbered statement.
TEST(ErrorReportTest, ShowsOneCriticalBoxAndEndsTheProgram) {
    const std::tuple<const char*, int, std::string> cases[] = {
        {"Utils", 20, "Überlauf\r\nModul   : Utils\r\nFunktion: isProcess\r\nZeile   : 20\r\n"},
        {"vbreg", 0, "Überlauf\r\nModul   : vbreg\r\nFunktion: isProcess\r\n"},
        {"vbreg", -10, "Überlauf\r\nModul   : vbreg\r\nFunktion: isProcess\r\n"},
    };
    for (const auto& [module, statement, text] : cases) {
        testsupport::ScriptedRuntime runtime;
        EXPECT_THROW(Utils::ShowError("Überlauf", module, "isProcess", statement),
                     runtime::ProgramEnded);
        ASSERT_EQ(runtime.Boxes().size(), 1u);
        EXPECT_EQ(runtime.Boxes()[0].text, text);
        EXPECT_EQ(runtime.Boxes()[0].style, 16);
        EXPECT_EQ(runtime.Boxes()[0].title, "Marquill");
    }
}

}  // namespace
