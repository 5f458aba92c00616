#include "platform/posix/child_processes.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

namespace platform::posix {

namespace {

bool HasEnded(pid_t pid) {
    siginfo_t info{};
    // ECHILD: someone else reaped it, so it has ended too.
    return ::waitid(P_PID, static_cast<id_t>(pid), &info, WEXITED | WNOHANG | WNOWAIT) != 0 ||
           info.si_pid == pid;
}

// Where the kernel has no pidfd (before 5.3): SIGCHLD writes a byte into a pipe whose read
// end stands for every child's end.
class ChildSignalPipe {
public:
    static ChildSignalPipe& Get() {
        static ChildSignalPipe pipe;
        return pipe;
    }

    int ReadEnd() const { return fds_[0]; }

    // Empties the pipe so that only a later end wakes the wait; a child that has ended already
    // must wake it at once, so its byte goes back.
    void Rearm(pid_t child) {
        char drained[64];
        while (::read(fds_[0], drained, sizeof drained) > 0) {
        }
        if (HasEnded(child)) Notify();
    }

private:
    ChildSignalPipe() {
        if (::pipe2(fds_, O_CLOEXEC | O_NONBLOCK) != 0) return;
        writeEnd = fds_[1];
        struct sigaction action {};
        action.sa_sigaction = OnChildSignal;
        action.sa_flags = SA_SIGINFO | SA_RESTART | SA_NOCLDSTOP;
        sigemptyset(&action.sa_mask);
        ::sigaction(SIGCHLD, &action, &previous);
    }

    static void Notify() {
        const int savedErrno = errno;
        [[maybe_unused]] const ssize_t ignored = ::write(writeEnd, "x", 1);
        errno = savedErrno;
    }

    // Whoever listened before still hears it.
    static void OnChildSignal(int signal, siginfo_t* info, void* context) {
        Notify();
        if ((previous.sa_flags & SA_SIGINFO) != 0) {
            if (previous.sa_sigaction != nullptr) previous.sa_sigaction(signal, info, context);
        } else if (previous.sa_handler != SIG_DFL && previous.sa_handler != SIG_IGN) {
            previous.sa_handler(signal);
        }
    }

    int fds_[2] = {-1, -1};
    static inline int writeEnd = -1;
    static inline struct sigaction previous {};
};

}  // namespace

ChildProcesses::~ChildProcesses() {
    for (const auto& [pid, pidfd] : started_) {
        if (pidfd >= 0) ::close(pidfd);
    }
}

void ChildProcesses::Remember(pid_t pid) {
    // Through syscall(): glibc 2.36's <sys/pidfd.h> cannot be included from C++.
    const int pidfd = static_cast<int>(::syscall(SYS_pidfd_open, pid, 0));
    if (pidfd < 0) ChildSignalPipe::Get();  // from now on SIGCHLD is heard
    started_[pid] = pidfd;
}

std::vector<pid_t> ChildProcesses::EndedNow() const {
    std::vector<pid_t> ended;
    for (const auto& [pid, pidfd] : started_) {
        if (HasEnded(pid)) ended.push_back(pid);
    }
    return ended;
}

void ChildProcesses::ReapSeenEnded(const std::vector<pid_t>& endedBefore,
                                   const std::vector<pid_t>& listed) {
    for (auto child = started_.begin(); child != started_.end();) {
        const pid_t pid = child->first;
        const auto next = std::next(child);
        const bool seenEnded =
            std::find(endedBefore.begin(), endedBefore.end(), pid) != endedBefore.end() ||
            std::find(listed.begin(), listed.end(), pid) == listed.end();
        if (seenEnded && Reaped(pid)) Forget(child);
        child = next;
    }
}

void ChildProcesses::ReapEnded() {
    for (auto child = started_.begin(); child != started_.end();) {
        const auto next = std::next(child);
        if (Reaped(child->first)) Forget(child);
        child = next;
    }
}

EndSignal ChildProcesses::EndSignalOf(pid_t pid) {
    const auto child = started_.find(pid);
    if (child == started_.end()) return kNoEndSignal;
    if (child->second >= 0) return child->second;
    ChildSignalPipe& pipe = ChildSignalPipe::Get();
    if (pipe.ReadEnd() < 0) return kNoEndSignal;
    pipe.Rearm(pid);
    return pipe.ReadEnd();
}

bool ChildProcesses::Reaped(pid_t pid) {
    const pid_t result = ::waitpid(pid, nullptr, WNOHANG);
    return result == pid || (result == -1 && errno == ECHILD);
}

void ChildProcesses::Forget(std::map<pid_t, int>::iterator child) {
    if (child->second >= 0) ::close(child->second);
    started_.erase(child);
}

ChildProcesses& StartedChildren() {
    static ChildProcesses children;
    return children;
}

}  // namespace platform::posix
