#include "platform/win32/child_processes.h"

#include <iterator>

namespace platform::win32 {

::HANDLE ChildProcesses::Find(std::int32_t processId) const {
    const auto found = started_.find(processId);
    return found == started_.end() ? nullptr : found->second;
}

void ChildProcesses::ForgetEnded() {
    for (auto child = started_.begin(); child != started_.end();) {
        const bool ended = ::WaitForSingleObject(child->second, 0) != WAIT_TIMEOUT;
        if (ended) ::CloseHandle(child->second);
        child = ended ? started_.erase(child) : std::next(child);
    }
}

ChildProcesses& StartedChildren() {
    static ChildProcesses children;
    return children;
}

}  // namespace platform::win32
