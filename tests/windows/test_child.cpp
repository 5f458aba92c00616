// A child process for the Windows tests:
//   test_child sleep MILLISECONDS [DONE_FILE]   sleeps, then creates DONE_FILE
//   test_child args OUT_FILE [ARGUMENT...]      writes each argument as it arrived, one a line
// Arguments arrive as UTF-16 (wmain) and are written as UTF-8.
#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <string>

namespace {

std::string Utf8(const wchar_t* text) {
    const int size = ::WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<std::size_t>(size), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, text, -1, utf8.data(), size, nullptr, nullptr);
    utf8.pop_back();
    return utf8;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc >= 3 && std::wcscmp(argv[1], L"sleep") == 0) {
        ::Sleep(static_cast<DWORD>(std::wcstoul(argv[2], nullptr, 10)));
        if (argc >= 4) {
            std::FILE* done = ::_wfopen(argv[3], L"wb");
            if (done == nullptr) return 1;
            std::fclose(done);
        }
        return 0;
    }
    if (argc >= 3 && std::wcscmp(argv[1], L"args") == 0) {
        std::FILE* out = ::_wfopen(argv[2], L"wb");
        if (out == nullptr) return 1;
        for (int i = 3; i < argc; ++i) std::fprintf(out, "%s\n", Utf8(argv[i]).c_str());
        return std::fclose(out) == 0 ? 0 : 1;
    }
    std::fprintf(stderr, "usage: test_child sleep MS [DONE_FILE] | args OUT_FILE [ARG...]\n");
    return 2;
}
