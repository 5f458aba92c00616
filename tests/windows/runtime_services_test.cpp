// The Windows front end's runtime services: the wait sleeps on the child's handle and the
// message queue, and runs what arrives.
#include <gtest/gtest.h>

#include <chrono>
#include <string>

#include "core/utils/launch_wait.h"
#include "platform/platform.h"
#include "win32/win32_runtime.h"
#include "windows/windows_test_util.h"

namespace {

using namespace std::chrono_literals;

int received = 0;

LRESULT CALLBACK CountMessages(HWND window, UINT message, WPARAM w, LPARAM l) {
    if (message == WM_APP) ++received;
    return ::DefWindowProcW(window, message, w, l);
}

// A window without a screen, which counts the WM_APP messages it is sent.
HWND CountingWindow() {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = &CountMessages;
    windowClass.lpszClassName = L"MarquillCountingWindow";
    ::RegisterClassW(&windowClass);
    received = 0;
    return ::CreateWindowExW(0, windowClass.lpszClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE,
                             nullptr, nullptr, nullptr);
}

TEST(Win32Runtime, TheWaitEndsWhenTheChildEndsLongBeforeItsBound) {
    win32front::Win32Runtime services;
    std::int32_t id = 0;
    ASSERT_EQ(platform::StartCommandLine(wintest::TestChild() + " sleep 200", 0, &id), 0);
    const platform::EndSignal end = platform::ChildEndSignal(id);
    const auto start = std::chrono::steady_clock::now();
    services.WaitForEvents(60s, end);
    EXPECT_EQ(::WaitForSingleObject(reinterpret_cast<::HANDLE>(end), 0), WAIT_OBJECT_0);
    EXPECT_LT(std::chrono::steady_clock::now() - start, 30s);
}

TEST(Win32Runtime, TheWaitRunsAMessageAsSoonAsItArrives) {
    win32front::Win32Runtime services;
    const HWND window = CountingWindow();
    ::PostMessageW(window, WM_APP, 0, 0);
    const auto start = std::chrono::steady_clock::now();
    services.WaitForEvents(60s, platform::kNoEndSignal);
    EXPECT_EQ(received, 1);
    EXPECT_LT(std::chrono::steady_clock::now() - start, 30s);
    ::DestroyWindow(window);
}

// The program's own message loop must still see the end of the program.
TEST(Win32Runtime, DoEventsRunsTheQueueAndLeavesTheQuitMessage) {
    win32front::Win32Runtime services;
    const HWND window = CountingWindow();
    ::PostMessageW(window, WM_APP, 0, 0);
    ::PostMessageW(window, WM_APP, 0, 0);
    ::PostQuitMessage(3);
    services.DoEvents();
    EXPECT_EQ(received, 2);
    MSG message;
    EXPECT_TRUE(::PeekMessageW(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(message.wParam, 3u);
    ::DestroyWindow(window);
}

// The compiler's wait with the real services returns once the child has ended.
TEST(Win32Runtime, CallAndWaitReturnsAfterTheChildEnded) {
    win32front::Win32Runtime services;
    testsupport::TempFolder folder;
    Utils::call_and_wait(wintest::TestChild() + " sleep 300 \"" + (folder / "done") + "\"", 0);
    EXPECT_TRUE(testsupport::FileExists(folder / "done"));
}

struct BoxRow {
    const char* name;
    int style;
    int answer;
};

// Without a desktop (these tests have no display) no box can be shown: a question is answered
// with the answer that changes nothing.
TEST(Win32Runtime, ABoxThatCannotBeShownAnswersSafely) {
    win32front::Win32Runtime services;
    using namespace runtime;
    // clang-format off
    const BoxRow rows[] = {
        {.name = "question", .style = vbYesNo | vbQuestion, .answer = vbNo},
        {.name = "error report", .style = vbCritical, .answer = vbOK},
    };
    // clang-format on
    for (const BoxRow& row : rows)
        EXPECT_EQ(services.MsgBox({"Text", row.style, "Marquill"}), row.answer) << row.name;
}

}  // namespace
