#include "support/scripted_runtime.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <poll.h>
#endif

// Events already queued run first, then the wait sleeps on the child's end as the window's does.
void testsupport::ScriptedRuntime::WaitForEvents(std::chrono::milliseconds bound,
                                                 platform::EndSignal childEnd) {
    DoEvents();
    endSignals_.push_back(childEnd);
#ifdef _WIN32
    if (childEnd != platform::kNoEndSignal)
        WaitForSingleObject(reinterpret_cast<HANDLE>(childEnd), static_cast<DWORD>(bound.count()));
    else
        Sleep(static_cast<DWORD>(bound.count()));
#else
    pollfd ended{.fd = static_cast<int>(childEnd), .events = POLLIN, .revents = 0};
    ::poll(&ended, 1, static_cast<int>(bound.count()));  // a negative fd just sleeps
#endif
}
