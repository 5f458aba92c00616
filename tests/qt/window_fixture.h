#pragma once

#include <QApplication>
#include <QTest>
#include <memory>

#include "core/vbreg/registry_keys.h"
#include "core/vbreg/registry_strings.h"
#include "qt/main_window.h"
#include "qt/qt_runtime.h"
#include "support/test_environment.h"

namespace testsupport {

inline constexpr const char* kMarker = "unbekannt!";

// The real window under the offscreen platform, with scripted message boxes and an end of
// the program that the test can observe.
class WindowTest : public IsolatedTest {
protected:
    void TearDown() override {
        EndProgram();
        IsolatedTest::TearDown();
    }

    // Starts the program: Form_Load, first show, and waits until the window is active.
    void StartProgram() {
        EndProgram();
        runtime_ = std::make_unique<qtfront::QtRuntime>();
        runtime_->AnswerBoxesWith([this](const runtime::ShownBox& box) {
            boxes_.push_back(box);
            return runtime::vbOK;
        });
        window_ = std::make_unique<qtfront::MainWindow>();
        runtime_->SetBoxParent(window_.get());
        window_->Load();
        window_->show();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window_.get()));
    }

    void StoreFolders(const std::string& poi, const std::string& sd) {
        Store(vbreg::kSettingsKey, "Path_POI", poi);
        Store(vbreg::kSettingsKey, "Path_SD", sd);
    }
    void Store(const std::string& key, const std::string& name, const std::string& value) {
        ASSERT_EQ(vbreg::WriteRegString(key, name, value), 0);
    }
    std::string Stored(const std::string& name) {
        std::int16_t flag = 0;
        return vbreg::ReadRegString(vbreg::HKEY_LOCAL_MACHINE, vbreg::kSettingsKey, name, flag);
    }

    std::vector<runtime::ShownBox> boxes_;
    std::unique_ptr<qtfront::QtRuntime> runtime_;
    std::unique_ptr<qtfront::MainWindow> window_;

private:
    void EndProgram() {
        window_.reset();
        runtime_.reset();
        boxes_.clear();
    }
};

}  // namespace testsupport
