// Windows hands the command line over as UTF-16: it arrives here whole, whatever the ANSI
// code page could hold, and goes on as UTF-8.
#include <windows.h>

#include <cstdio>
#include <exception>
#include <string>
#include <vector>

#include "poicompiler/compile.h"

namespace {

std::string Utf8(const wchar_t* text) {
    const int size = ::WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<std::size_t>(size > 0 ? size : 1), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, text, -1, utf8.data(), size, nullptr, nullptr);
    utf8.resize(utf8.size() - 1);
    return utf8;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    std::vector<std::string> arguments;
    for (int i = 1; i < argc; ++i) arguments.push_back(Utf8(argv[i]));
    try {
        poicompiler::Compile(arguments);
        return 0;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "poicompiler: %s\n", e.what());
        return 1;
    }
}
