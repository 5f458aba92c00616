#pragma once
// Children this program started, so that ended ones are reaped and never linger as zombies.

#include <sys/types.h>

#include <set>

namespace platform::posix {

class ChildProcesses {
public:
    void Remember(pid_t pid) { started_.insert(pid); }
    // Reaps every started child that has ended; the others stay remembered.
    void ReapEnded();

private:
    std::set<pid_t> started_;
};

// The program's one record of its children.
ChildProcesses& StartedChildren();

}  // namespace platform::posix
