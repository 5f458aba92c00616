// Stands in for the compiler: sleeps, then records the moment of its end and exits.
#include <fcntl.h>
#include <time.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: wait_bench_child MILLISECONDS END_FILE\n");
        return 2;
    }
    const long millis = std::strtol(argv[1], nullptr, 10);
    const timespec pause{millis / 1000, (millis % 1000) * 1000000};
    nanosleep(&pause, nullptr);

    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    const std::string stamp = std::to_string(now.tv_sec * 1000000000LL + now.tv_nsec) + "\n";
    const int fd = open(argv[2], O_WRONLY | O_CREAT | O_TRUNC, 0600);
    if (fd < 0 || write(fd, stamp.data(), stamp.size()) != static_cast<ssize_t>(stamp.size())) {
        return 1;
    }
    close(fd);
    _exit(0);
}
