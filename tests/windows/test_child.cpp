// A child for the Windows tests: sleeps for the milliseconds given.
#include <windows.h>

#include <cstdlib>

int main(int argc, char** argv) {
    ::Sleep(argc > 1 ? std::strtoul(argv[1], nullptr, 10) : 0);
}
