#include "support/figures.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <stdexcept>

extern char** environ;

namespace bench {

namespace {
double UsedSeconds(int who) {
    rusage usage{};
    getrusage(who, &usage);
    const auto seconds = [](const timeval& t) { return t.tv_sec + t.tv_usec / 1e6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}
}  // namespace

double CpuSeconds() {
    return UsedSeconds(RUSAGE_SELF);
}

double ChildCpuSeconds() {
    return UsedSeconds(RUSAGE_CHILDREN);
}

double MonotonicSeconds() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return now.tv_sec + now.tv_nsec / 1e9;
}

ChildRun RunChild(const std::vector<std::string>& argv) {
    int pipeFds[2];
    if (pipe2(pipeFds, O_CLOEXEC) != 0) throw std::runtime_error("pipe");
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipeFds[1], STDOUT_FILENO);
    std::vector<char*> args;
    for (const std::string& arg : argv) args.push_back(const_cast<char*>(arg.c_str()));
    args.push_back(nullptr);
    pid_t pid = 0;
    const int err = posix_spawn(&pid, args[0], &actions, nullptr, args.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    close(pipeFds[1]);
    if (err != 0) throw std::runtime_error("cannot start " + argv[0]);
    ChildRun run{};
    char buffer[4096];
    for (ssize_t got; (got = read(pipeFds[0], buffer, sizeof buffer)) > 0;) {
        run.output.append(buffer, static_cast<std::size_t>(got));
    }
    close(pipeFds[0]);
    rusage usage{};
    wait4(pid, &run.status, 0, &usage);
    run.maxRssMegabytes = usage.ru_maxrss / 1024.0;
    return run;
}

Spread SpreadOf(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    const double median = n % 2 == 1 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
    return {median, values.front(), values.back()};
}

std::string Shown(const Spread& spread, int decimals) {
    char text[96];
    std::snprintf(text, sizeof text, "%.*f (%.*f to %.*f)", decimals, spread.median, decimals,
                  spread.min, decimals, spread.max);
    return text;
}

std::string LoadAverage() {
    std::string one;
    std::ifstream("/proc/loadavg") >> one;
    return one;
}

}  // namespace bench
