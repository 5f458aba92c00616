// Stands in for the compiler on Windows: sleeps, then records the moment of its end (in 100 ns
// ticks of the system clock) and exits.
#include <windows.h>

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: wait_bench_child MILLISECONDS END_FILE\n");
        return 2;
    }
    ::Sleep(static_cast<DWORD>(std::strtoul(argv[1], nullptr, 10)));
    FILETIME now{};
    ::GetSystemTimePreciseAsFileTime(&now);
    std::FILE* end = std::fopen(argv[2], "w");
    if (end == nullptr) return 1;
    std::fprintf(end, "%llu\n",
                 (static_cast<unsigned long long>(now.dwHighDateTime) << 32) | now.dwLowDateTime);
    return std::fclose(end) == 0 ? 0 : 1;
}
