#include "support/test_environment.h"

namespace testsupport {

void IsolateFromUserHome() {
    static TempFolder programHome;  // lives until the test program ends
    UseFreshRegistry(programHome.Path());
    SetEnvironment("HOME", programHome.Path());
}

void IsolatedTest::SetUp() {
    folder_ = std::make_unique<TempFolder>();
    configHome_ = folder_->Path() + "/config";
    cacheHome_ = folder_->Path() + "/cache";
    UseFreshRegistry(folder_->Path());
}

void IsolatedTest::TearDown() {
    DropTestRegistry();
    folder_.reset();
}

}  // namespace testsupport
