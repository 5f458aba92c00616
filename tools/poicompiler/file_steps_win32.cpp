#include <windows.h>

#include "poicompiler/error.h"
#include "poicompiler/file_steps.h"

namespace poicompiler {
namespace {

void WriteAndFlush(HANDLE file, const std::string& data, const std::filesystem::path& path) {
    std::size_t done = 0;
    while (done < data.size()) {
        DWORD written = 0;
        if (!::WriteFile(file, data.data() + done, static_cast<DWORD>(data.size() - done), &written,
                         nullptr)) {
            FailWithSystemError("write", path);
        }
        done += written;
    }
    if (!::FlushFileBuffers(file)) FailWithSystemError("flush", path);
}

}  // namespace

void FailWithSystemError(const std::string& what, const std::filesystem::path& path) {
    throw CompileError(path.string() + ": cannot " + what + ": Windows error " +
                       std::to_string(::GetLastError()));
}

std::FILE* OpenInput(const std::filesystem::path& path) {
    return ::_wfopen(path.c_str(), L"rb");
}

unsigned long ProcessId() {
    return ::GetCurrentProcessId();
}

// The dot name alone does not hide a file on Windows: the attribute does, until the file is
// whole and on the disk.
bool WriteNewFile(const std::filesystem::path& temporary, const OutputFile& file) {
    const HANDLE handle = ::CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                        FILE_ATTRIBUTE_HIDDEN, nullptr);
    if (handle == INVALID_HANDLE_VALUE && ::GetLastError() == ERROR_FILE_EXISTS) return false;
    if (handle == INVALID_HANDLE_VALUE) FailWithSystemError("create a temporary file", temporary);
    try {
        WriteAndFlush(handle, file.contents, file.path);
    } catch (...) {
        ::CloseHandle(handle);
        throw;
    }
    if (!::CloseHandle(handle)) FailWithSystemError("write", file.path);
    if (!::SetFileAttributesW(temporary.c_str(), FILE_ATTRIBUTE_ARCHIVE)) {
        FailWithSystemError("write", file.path);
    }
    return true;
}

void MoveOverTarget(const std::filesystem::path& temporary, const std::filesystem::path& target) {
    if (!::MoveFileExW(temporary.c_str(), target.c_str(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        FailWithSystemError("replace", target);
    }
}

void RemoveTemporary(const std::filesystem::path& temporary) {
    ::DeleteFileW(temporary.c_str());
}

// MOVEFILE_WRITE_THROUGH returned only once each move was on the disk.
void SyncFolderOf(const std::filesystem::path&) {}

}  // namespace poicompiler
