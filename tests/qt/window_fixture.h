#pragma once

#include <QTest>
#include <memory>

#include "core/vbreg/registry_strings.h"
#include "qt/main_window.h"
#include "qt/qt_runtime.h"
#include "support/test_environment.h"

namespace testsupport {

// The real window under the offscreen platform, with scripted message boxes and an end of
// the program that the test can observe.
class WindowTest : public IsolatedTest {
protected:
    void TearDown() override {
        window_.reset();
        runtime_.reset();
        IsolatedTest::TearDown();
    }

    // Starts the program: Form_Load, first show, and waits until the window is active.
    void StartProgram() {
        runtime_ = std::make_unique<qtfront::QtRuntime>();
        runtime_->AnswerBoxesWith([this](const runtime::ShownBox& box) {
            boxes_.push_back(box);
            return NextAnswer();
        });
        window_ = std::make_unique<qtfront::MainWindow>();
        runtime_->SetBoxParent(window_.get());
        window_->Load();
        window_->show();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window_.get()));
    }

    void Store(const std::string& key, const std::string& name, const std::string& value) {
        ASSERT_EQ(vbreg::WriteRegString(key, name, value), 0);
    }
    std::string Stored(const std::string& key, const std::string& name) {
        std::int16_t flag = 0;
        return vbreg::ReadRegString(vbreg::HKEY_LOCAL_MACHINE, key, name, flag);
    }

    int NextAnswer() {
        if (answers_.empty()) return runtime::vbOK;
        const int answer = answers_.front();
        answers_.erase(answers_.begin());
        return answer;
    }

    std::vector<int> answers_;
    std::vector<runtime::ShownBox> boxes_;
    std::unique_ptr<qtfront::QtRuntime> runtime_;
    std::unique_ptr<qtfront::MainWindow> window_;
};

}  // namespace testsupport
