#include <gtest/gtest.h>

#include "core/runtime/runtime.h"
#include "core/utils/utils.h"
#include "support/scripted_runtime.h"

namespace {

struct ReportCase {
    const char* label;
    std::string description;
    std::string module;
    std::string procedure;
    int statement;
    std::string expectedText;
};

class ErrorReportTest : public ::testing::TestWithParam<ReportCase> {};

TEST_P(ErrorReportTest, ShowsOneCriticalBoxAndEndsTheProgram) {
    const ReportCase& c = GetParam();
    testsupport::ScriptedRuntime runtime;

    EXPECT_THROW(Utils::ShowError(c.description, c.module, c.procedure, c.statement),
                 runtime::ProgramEnded);

    EXPECT_TRUE(runtime.Ended());
    ASSERT_EQ(runtime.Boxes().size(), 1u);
    EXPECT_EQ(runtime.Boxes()[0].text, c.expectedText);
    EXPECT_EQ(runtime.Boxes()[0].style, 16);
    EXPECT_EQ(runtime.Boxes()[0].title, "Marquill");
}

INSTANTIATE_TEST_SUITE_P(
    Messages, ErrorReportTest,
    ::testing::Values(
        ReportCase{"WithStatement", "Überlauf", "Utils", "call_and_wait", 20,
                   "Überlauf\r\nModul   : Utils\r\nFunktion: call_and_wait\r\nZeile   : 20\r\n"},
        ReportCase{"NoStatement", "Datei nicht gefunden", "vbreg", "isProcess", 0,
                   "Datei nicht gefunden\r\nModul   : vbreg\r\nFunktion: isProcess\r\n"},
        ReportCase{"NegativeStatementIsNoLine", "X", "Utils", "Get_Token", -10,
                   "X\r\nModul   : Utils\r\nFunktion: Get_Token\r\n"},
        ReportCase{"EmptyDescription", "", "Utils", "ReadLineFromFile", 180,
                   "\r\nModul   : Utils\r\nFunktion: ReadLineFromFile\r\nZeile   : 180\r\n"}),
    [](const auto& info) { return std::string(info.param.label); });

}  // namespace
