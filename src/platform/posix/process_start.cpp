#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <unistd.h>

#include <cerrno>
#include <string>
#include <vector>

#include "platform/platform.h"
#include "platform/posix/child_processes.h"

extern char** environ;

namespace platform {

namespace {

// The child starts with default signal handling and nothing blocked, whatever this program
// (or its toolkit) has set up for itself.
class SpawnAttributes {
public:
    SpawnAttributes() {
        posix_spawnattr_init(&attributes_);
        sigset_t none;
        sigemptyset(&none);
        sigset_t defaults;
        sigemptyset(&defaults);
        for (int signal : {SIGPIPE, SIGCHLD, SIGHUP, SIGINT, SIGQUIT, SIGTERM}) {
            sigaddset(&defaults, signal);
        }
        posix_spawnattr_setsigmask(&attributes_, &none);
        posix_spawnattr_setsigdefault(&attributes_, &defaults);
        posix_spawnattr_setflags(&attributes_, POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);
    }
    ~SpawnAttributes() { posix_spawnattr_destroy(&attributes_); }
    SpawnAttributes(const SpawnAttributes&) = delete;
    SpawnAttributes& operator=(const SpawnAttributes&) = delete;
    const posix_spawnattr_t* get() const { return &attributes_; }

private:
    posix_spawnattr_t attributes_;
};

// The child reads nothing: its standard input is /dev/null.
class SpawnFileActions {
public:
    SpawnFileActions() {
        posix_spawn_file_actions_init(&actions_);
        posix_spawn_file_actions_addopen(&actions_, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    }
    ~SpawnFileActions() { posix_spawn_file_actions_destroy(&actions_); }
    SpawnFileActions(const SpawnFileActions&) = delete;
    SpawnFileActions& operator=(const SpawnFileActions&) = delete;
    const posix_spawn_file_actions_t* get() const { return &actions_; }

private:
    posix_spawn_file_actions_t actions_;
};

}  // namespace

// The program is executed directly, never by a shell: the command line may carry text from
// files the user did not write, and none of it may be read as shell syntax. glibc reports a
// failed exec through posix_spawn's result, so a missing program is known here.
int StartCommandLine(const std::string& commandLine, int /*windowStyle*/, std::int32_t* processId) {
    std::vector<std::string> tokens = SplitCommandLine(commandLine);
    if (tokens.empty() || tokens.front().empty()) return ENOENT;
    std::vector<char*> argv;
    for (std::string& token : tokens) argv.push_back(token.data());
    argv.push_back(nullptr);

    posix::StartedChildren().ReapEnded();
    const SpawnAttributes attributes;
    const SpawnFileActions actions;
    pid_t pid = 0;
    const int result =
        posix_spawn(&pid, argv.front(), actions.get(), attributes.get(), argv.data(), environ);
    if (result != 0) return result;
    posix::StartedChildren().Remember(pid);
    if (processId != nullptr) *processId = static_cast<std::int32_t>(pid);
    return 0;
}

EndSignal ChildEndSignal(std::int32_t processId) {
    return posix::StartedChildren().EndSignalOf(static_cast<pid_t>(processId));
}

}  // namespace platform
