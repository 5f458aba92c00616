#include <gtest/gtest.h>

#include "core/runtime/runtime.h"
#include "core/utils/utils.h"
#include "support/scripted_runtime.h"

namespace {

TEST(ErrorReportTest, ShowsOneCriticalBoxAndEndsTheProgram) {
    const struct {
        std::string description, module, procedure;
        int statement;
        std::string text;
    } cases[] = {
        {"Überlauf", "Utils", "call_and_wait", 20,
         "Überlauf\r\nModul   : Utils\r\nFunktion: call_and_wait\r\nZeile   : 20\r\n"},
        {"Datei nicht gefunden", "vbreg", "isProcess", 0,
         "Datei nicht gefunden\r\nModul   : vbreg\r\nFunktion: isProcess\r\n"},
        {"", "Utils", "Get_Token", -10, "\r\nModul   : Utils\r\nFunktion: Get_Token\r\n"},
    };
    for (const auto& c : cases) {
        testsupport::ScriptedRuntime runtime;
        EXPECT_THROW(Utils::ShowError(c.description, c.module, c.procedure, c.statement),
                     runtime::ProgramEnded);
        EXPECT_TRUE(runtime.Ended());
        ASSERT_EQ(runtime.Boxes().size(), 1u);
        EXPECT_EQ(runtime.Boxes()[0].text, c.text);
        EXPECT_EQ(runtime.Boxes()[0].style, 16);
        EXPECT_EQ(runtime.Boxes()[0].title, "Marquill");
    }
}

}  // namespace
