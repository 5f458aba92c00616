#pragma once
// The processes this program started, with their handles: the compiler's wait sleeps on a
// handle until the process ends. A handle is closed once its process is seen ended, and the
// process id cannot go to another process while its handle is open.

#include <cstdint>
#include <map>

#include "platform/win32/windows_api.h"

namespace platform::win32 {

class ChildProcesses {
public:
    void Remember(std::int32_t processId, ::HANDLE process) { started_[processId] = process; }
    // The handle of a started process whose end has not been seen yet, or nullptr.
    ::HANDLE Find(std::int32_t processId) const;
    // Closes the handles of every started process that has ended; the others stay.
    void ForgetEnded();

private:
    std::map<std::int32_t, ::HANDLE> started_;
};

// The program's one record of its children.
ChildProcesses& StartedChildren();

}  // namespace platform::win32
