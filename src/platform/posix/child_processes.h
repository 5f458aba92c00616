#pragma once
// Children this program started: ended ones are reaped so that none lingers as a zombie, and a
// wait can sleep on each one's end.

#include <sys/types.h>

#include <map>
#include <vector>

#include "platform/platform.h"

namespace platform::posix {

class ChildProcesses {
public:
    ChildProcesses() = default;
    ~ChildProcesses();
    ChildProcesses(const ChildProcesses&) = delete;
    ChildProcesses& operator=(const ChildProcesses&) = delete;

    // Call right after the start, before anything can reap the child.
    void Remember(pid_t pid);

    // The children that have ended by now, reaped or not.
    std::vector<pid_t> EndedNow() const;
    // Reaps the children a process list saw ended: those ended before it was read, and those
    // it did not list. A child that ended while the list was read stays for the next one.
    void ReapSeenEnded(const std::vector<pid_t>& endedBefore, const std::vector<pid_t>& listed);
    // Reaps every child that has ended.
    void ReapEnded();

    // A descriptor that is or becomes readable once the child ends; kNoEndSignal for a child
    // that was reaped (its id may name another process now) or was never ours.
    EndSignal EndSignalOf(pid_t pid);

private:
    // Reaps the child if it has ended; true when it is gone.
    bool Reaped(pid_t pid);
    void Forget(std::map<pid_t, int>::iterator child);

    std::map<pid_t, int> started_;  // the child's pidfd, or -1 where SIGCHLD stands in
};

// The program's one record of its children.
ChildProcesses& StartedChildren();

}  // namespace platform::posix
