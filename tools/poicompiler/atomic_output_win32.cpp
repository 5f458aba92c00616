// The all-or-nothing output on Windows: hidden temporaries beside the targets, each flushed
// with FlushFileBuffers, then moved over the targets with write-through.
#include <windows.h>

#include <string>

#include "poicompiler/atomic_output.h"
#include "poicompiler/error.h"

namespace poicompiler {
namespace {

[[noreturn]] void FailLastError(const std::string& what, const std::filesystem::path& path) {
    throw CompileError(path.string() + ": cannot " + what + ": Windows error " +
                       std::to_string(::GetLastError()));
}

class Temporaries {
public:
    ~Temporaries() {
        for (const auto& p : paths_) ::DeleteFileW(p.c_str());
    }

    // Hidden, so that a half-written file never counts as a file of the folder.
    std::filesystem::path Create(const std::filesystem::path& target, HANDLE& file) {
        for (int attempt = 0;; ++attempt) {
            std::filesystem::path tmp = target;
            tmp.replace_filename(L"." + target.filename().wstring() + L".tmp" +
                                 std::to_wstring(::GetCurrentProcessId()) + L"_" +
                                 std::to_wstring(attempt));
            file = ::CreateFileW(tmp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                 FILE_ATTRIBUTE_HIDDEN, nullptr);
            if (file != INVALID_HANDLE_VALUE) {
                paths_.push_back(tmp);
                return tmp;
            }
            if (::GetLastError() != ERROR_FILE_EXISTS || attempt > 100) {
                FailLastError("create a temporary file", tmp);
            }
        }
    }

    void Release(const std::filesystem::path& p) { std::erase(paths_, p); }

private:
    std::vector<std::filesystem::path> paths_;
};

void WriteAndFlush(HANDLE file, const std::string& data, const std::filesystem::path& path) {
    std::size_t done = 0;
    while (done < data.size()) {
        DWORD written = 0;
        if (!::WriteFile(file, data.data() + done, static_cast<DWORD>(data.size() - done), &written,
                         nullptr)) {
            FailLastError("write", path);
        }
        done += written;
    }
    if (!::FlushFileBuffers(file)) FailLastError("flush", path);
}

}  // namespace

void WriteAllOrNothing(const std::vector<OutputFile>& files) {
    Temporaries temps;
    std::vector<std::filesystem::path> written;
    for (const OutputFile& f : files) {
        HANDLE file = INVALID_HANDLE_VALUE;
        const std::filesystem::path tmp = temps.Create(f.path, file);
        try {
            WriteAndFlush(file, f.contents, f.path);
        } catch (...) {
            ::CloseHandle(file);
            throw;
        }
        if (!::CloseHandle(file)) FailLastError("write", f.path);
        // Complete and on the disk: from now on it may be seen.
        if (!::SetFileAttributesW(tmp.c_str(), FILE_ATTRIBUTE_ARCHIVE)) {
            FailLastError("write", f.path);
        }
        written.push_back(tmp);
    }
    for (std::size_t i = 0; i < files.size(); ++i) {
        if (!::MoveFileExW(written[i].c_str(), files[i].path.c_str(),
                           MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
            FailLastError("replace", files[i].path);
        }
        temps.Release(written[i]);
    }
}

}  // namespace poicompiler
