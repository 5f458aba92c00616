#include "platform/posix/child_processes.h"

#include <sys/wait.h>

#include <cerrno>
#include <iterator>

namespace platform::posix {

void ChildProcesses::ReapEnded() {
    for (auto child = started_.begin(); child != started_.end();) {
        const pid_t result = waitpid(*child, nullptr, WNOHANG);
        // Ended and now reaped, or no longer ours to reap (someone else waited for it).
        const bool gone = result == *child || (result == -1 && errno == ECHILD);
        child = gone ? started_.erase(child) : std::next(child);
    }
}

ChildProcesses& StartedChildren() {
    static ChildProcesses children;
    return children;
}

}  // namespace platform::posix
