#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <new>
#include <stdexcept>

#include "core/runtime/event_handler.h"
#include "core/runtime/runtime_error.h"
#include "core/runtime/runtime_services.h"
#include "core/utils/install_list.h"
#include "core/vbreg/registry_strings.h"
#include "support/scripted_runtime.h"
#include "support/test_environment.h"

// Every allocation of this test program passes here, so a test can make the next one fail.
namespace {
bool failNextAllocation = false;

void* Allocate(std::size_t size) {
    if (failNextAllocation) {
        failNextAllocation = false;
        throw std::bad_alloc();
    }
    if (void* memory = std::malloc(size == 0 ? 1 : size)) return memory;
    throw std::bad_alloc();
}
}  // namespace

void* operator new(std::size_t size) {
    return Allocate(size);
}
void* operator new[](std::size_t size) {
    return Allocate(size);
}
void operator delete(void* memory) noexcept {
    std::free(memory);
}
void operator delete[](void* memory) noexcept {
    std::free(memory);
}
void operator delete(void* memory, std::size_t) noexcept {
    std::free(memory);
}
void operator delete[](void* memory, std::size_t) noexcept {
    std::free(memory);
}

namespace {

using testsupport::ScriptedRuntime;

TEST(EventHandler, AnUnhandledFailureShowsTheStandardMessageAndEndsTheProgram) {
    const struct {
        const char* name;
        std::function<void()> handler;
        const char* text;
    } rows[] = {
        {.name = "runtime_error",
         .handler = [] { throw runtime::RuntimeError(53); },
         .text = "Laufzeitfehler '53':\r\n\r\nDatei nicht gefunden"},
        {.name = "memory_ran_out",
         .handler = [] { throw std::bad_alloc(); },
         .text = "Laufzeitfehler '7':\r\n\r\nNicht genügend Speicher"},
        {.name = "any_other_failure",
         .handler = [] { throw std::runtime_error("any other failure"); },
         .text = "Laufzeitfehler '75':\r\n\r\nFehler beim Zugriff auf Pfad oder Datei"},
    };
    for (const auto& row : rows) {
        ScriptedRuntime runtime;
        runtime::RunEventHandler(row.handler);
        EXPECT_EQ(runtime.Boxes().size(), 1u) << row.name;
        for (const auto& box : runtime.Boxes()) {
            EXPECT_EQ(box.text, row.text) << row.name;
            EXPECT_EQ(box.style, runtime::vbCritical) << row.name;
            EXPECT_EQ(box.title, "Marquill") << row.name;
        }
        EXPECT_TRUE(runtime.Ended()) << row.name;
    }
}

TEST(EventHandler, TheEndCannotBeSwallowedAndNoHandlerRunsAfterIt) {
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
    ASSERT_TRUE(runtime.Ended());
    bool ran = false;
    runtime::RunEventHandler([&] { ran = true; });
    EXPECT_FALSE(ran);
}

using GuardedProcedures = testsupport::IsolatedTest;

// Memory that runs out inside a procedure with its own handling is handled there: the
// registry shows the plain box and goes on, a guarded procedure reports where it stopped.
TEST_F(GuardedProcedures, MemoryRunningOutMeetsTheirOwnHandling) {
    const std::string longText(100, 'x');
    const struct {
        const char* name;
        std::function<std::string()> call;
        std::string result;
        std::string box;
        bool ended;
    } rows[] = {
        {.name = "ReadRegString",
         .call =
             [] {
                 std::int16_t flag = 0;
                 vbreg::ReadRegString(vbreg::HKEY_LOCAL_MACHINE, "Software", "Path", flag);
                 return std::to_string(flag);
             },
         .result = "1",
         .box = "Nicht genügend Speicher",
         .ended = false},
        {.name = "Get_Token",
         .call = [&] { return Utils::Get_Token(longText, 1); },
         .result = "not returned",
         .box = "Nicht genügend Speicher\r\nModul   : Utils\r\nFunktion: Get_Token\r\n"
                "Zeile   : 110\r\n",
         .ended = true},
    };
    for (const auto& row : rows) {
        ScriptedRuntime runtime;
        std::string result = "not returned";
        try {
            failNextAllocation = true;
            result = row.call();
        } catch (const runtime::ProgramEnded&) {
        }
        failNextAllocation = false;
        EXPECT_EQ(result, row.result) << row.name;
        EXPECT_EQ(runtime.Boxes().size(), 1u) << row.name;
        for (const auto& box : runtime.Boxes()) EXPECT_EQ(box.text, row.box) << row.name;
        EXPECT_EQ(runtime.Ended(), row.ended) << row.name;
    }
}

}  // namespace
