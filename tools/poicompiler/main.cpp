#include <cstdio>
#include <exception>
#include <string>
#include <vector>

#include "poicompiler/compile.h"

int main(int argc, char** argv) {
    try {
        poicompiler::Compile(std::vector<std::string>(argv + 1, argv + argc));
        return 0;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "poicompiler: %s\n", e.what());
        return 1;
    }
}
