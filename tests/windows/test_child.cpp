// A child process for the Windows tests: test_child sleep MILLISECONDS [DONE_FILE] sleeps,
// then creates DONE_FILE.
#include <windows.h>

#include <cstdio>
#include <cwchar>

int wmain(int argc, wchar_t** argv) {
    if (argc < 3 || std::wcscmp(argv[1], L"sleep") != 0) {
        std::fprintf(stderr, "usage: test_child sleep MILLISECONDS [DONE_FILE]\n");
        return 2;
    }
    ::Sleep(static_cast<DWORD>(std::wcstoul(argv[2], nullptr, 10)));
    if (argc < 4) return 0;
    std::FILE* done = ::_wfopen(argv[3], L"wb");
    return done != nullptr && std::fclose(done) == 0 ? 0 : 1;
}
