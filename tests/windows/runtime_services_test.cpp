// The Windows front end's runtime services: the wait sleeps on the child's handle and the
// message queue, and runs what arrives.
#include <gtest/gtest.h>

#include <chrono>
#include <string>

#include "core/utils/launch_wait.h"
#include "platform/platform.h"
#include "support/temp_folder.h"
#include "windows/recording_runtime.h"
#include "windows/windows_test_util.h"

namespace {

using namespace std::chrono_literals;

// A window without a screen, which counts the messages it is sent.
class CountingWindow {
public:
    CountingWindow() {
        WNDCLASSW windowClass{};
        windowClass.lpfnWndProc = &CountingWindow::Procedure;
        windowClass.hInstance = ::GetModuleHandleW(nullptr);
        windowClass.lpszClassName = L"MarquillCountingWindow";
        ::RegisterClassW(&windowClass);
        window_ = ::CreateWindowExW(0, windowClass.lpszClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE,
                                    nullptr, windowClass.hInstance, nullptr);
        received = 0;
    }
    ~CountingWindow() { ::DestroyWindow(window_); }

    void Post() { ::PostMessageW(window_, WM_APP, 0, 0); }

    static inline int received = 0;

private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM w, LPARAM l) {
        if (message == WM_APP) ++received;
        return ::DefWindowProcW(window, message, w, l);
    }

    HWND window_;
};

std::chrono::milliseconds Since(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() -
                                                                 start);
}

TEST(Win32Runtime, TheWaitEndsWhenTheChildEndsLongBeforeItsBound) {
    wintest::RecordingRuntime services;
    std::int32_t id = 0;
    ASSERT_EQ(platform::StartCommandLine(wintest::TestChild() + " sleep 200", 0, &id), 0);
    const platform::EndSignal end = platform::ChildEndSignal(id);
    const auto start = std::chrono::steady_clock::now();
    services.WaitForEvents(60s, end);
    EXPECT_EQ(::WaitForSingleObject(reinterpret_cast<::HANDLE>(end), 0), WAIT_OBJECT_0);
    EXPECT_LT(Since(start), 30s);
}

TEST(Win32Runtime, TheWaitRunsAMessageAsSoonAsItArrives) {
    wintest::RecordingRuntime services;
    CountingWindow window;
    window.Post();
    const auto start = std::chrono::steady_clock::now();
    services.WaitForEvents(60s, platform::kNoEndSignal);
    EXPECT_EQ(CountingWindow::received, 1);
    EXPECT_LT(Since(start), 30s);
}

// The program's own message loop must still see the end of the program.
TEST(Win32Runtime, DoEventsRunsTheQueueAndLeavesTheQuitMessage) {
    wintest::RecordingRuntime services;
    CountingWindow window;
    window.Post();
    window.Post();
    ::PostQuitMessage(3);
    services.DoEvents();
    EXPECT_EQ(CountingWindow::received, 2);
    MSG message;
    ASSERT_TRUE(::PeekMessageW(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(message.wParam, 3u);
}

// Without a desktop (these tests have no display) no box can be shown: a question is answered
// with the answer that changes nothing.
TEST(Win32Runtime, ABoxThatCannotBeShownAnswersSafely) {
    wintest::RecordingRuntime services;
    const struct {
        const char* name;
        int style;
        int answer;
    } rows[] = {
        {.name = "overwrite_question",
         .style = runtime::vbYesNo + runtime::vbQuestion,
         .answer = runtime::vbNo},
        {.name = "error_report", .style = runtime::vbCritical, .answer = runtime::vbOK},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(services.Win32Runtime::MsgBox({"Text", row.style, "Marquill"}), row.answer)
            << row.name;
    }
}

// The compiler's wait with the real services: it returns once the child has ended.
TEST(Win32Runtime, CallAndWaitReturnsAfterTheChildEnded) {
    wintest::RecordingRuntime services;
    testsupport::TempFolder folder;
    const std::string done = folder / "done.txt";
    Utils::call_and_wait(wintest::TestChild() + " sleep 300 \"" + done + "\"", 0);
    EXPECT_TRUE(testsupport::FileExists(done));
}

}  // namespace
