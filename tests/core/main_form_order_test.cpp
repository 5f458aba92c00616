#include <gtest/gtest.h>

#include "core/main/main_form.h"
#include "support/fake_controls.h"
#include "support/scripted_runtime.h"
#include "support/test_environment.h"

namespace {

using MainFormOrderTest = testsupport::IsolatedTest;

// The hive keeps values in the order first written, which shows the order of the writes.
TEST_F(MainFormOrderTest, QuitStoresPoiBeforeSd) {
    testsupport::ScriptedRuntime runtime;
    testsupport::FakeMainWindow window;
    Main::Form_Load(window.form);
    EXPECT_THROW(Main::cmd_quit_Click(), runtime::ProgramEnded);
    const std::string hive = testsupport::ReadFile(HivePath());
    EXPECT_LT(hive.find("Path_POI"), hive.find("Path_SD"));
}

}  // namespace
