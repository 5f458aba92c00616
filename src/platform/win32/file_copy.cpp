#include <cerrno>
#include <string>
#include <vector>

#include "platform/platform.h"
#include "platform/win32/error_codes.h"
#include "platform/win32/text_conversion.h"
#include "platform/win32/windows_api.h"

namespace platform {

namespace {

class WindowsFile {
public:
    explicit WindowsFile(::HANDLE handle) : handle_(handle) {}
    ~WindowsFile() { Close(); }
    WindowsFile(const WindowsFile&) = delete;
    WindowsFile& operator=(const WindowsFile&) = delete;

    bool Valid() const { return handle_ != winapi::InvalidHandle(); }
    ::HANDLE Get() const { return handle_; }
    // 0, or the errno value of a failed close.
    int Close() {
        if (!Valid()) return 0;
        const bool closed = ::CloseHandle(handle_) != FALSE;
        handle_ = winapi::InvalidHandle();
        return closed ? 0 : win32::LastErrorAsErrno();
    }

private:
    ::HANDLE handle_;
};

std::wstring Wide(const std::string& path) {
    return win32::Utf16FromUtf8(path);
}

int CopyContents(::HANDLE from, ::HANDLE to) {
    std::vector<char> buffer(64 * 1024);
    for (;;) {
        DWORD got = 0;
        if (!::ReadFile(from, buffer.data(), static_cast<DWORD>(buffer.size()), &got, nullptr)) {
            return win32::LastErrorAsErrno();
        }
        if (got == 0) return 0;
        DWORD written = 0;
        if (!::WriteFile(to, buffer.data(), got, &written, nullptr)) {
            return win32::LastErrorAsErrno();
        }
        if (written != got) return ENOSPC;
    }
}

// Hidden, so that a half-written copy never counts as a file of the folder; one name per
// target, so that a copy left by a crash is replaced by the next one.
std::string TemporaryBeside(const std::string& target) {
    const auto separator = target.find_last_of("\\/");
    const std::size_t nameStart = separator == std::string::npos ? 0 : separator + 1;
    return target.substr(0, nameStart) + "." + target.substr(nameStart) + ".tmp";
}

// Writes the source's content to the hidden temporary file and flushes it to the disk.
int WriteTemporary(::HANDLE source, const std::string& temporary) {
    WindowsFile target(::CreateFileW(Wide(temporary).c_str(), GENERIC_WRITE, 0, nullptr,
                                     CREATE_ALWAYS, FILE_ATTRIBUTE_HIDDEN, nullptr));
    if (!target.Valid()) return win32::LastErrorAsErrno();
    int err = CopyContents(source, target.Get());
    if (err == 0 && !::FlushFileBuffers(target.Get())) err = win32::LastErrorAsErrno();
    if (const int closed = target.Close(); err == 0) err = closed;
    return err;
}

}  // namespace

int CopyFileReplacing(const std::string& from, const std::string& to) {
    const std::wstring target = Wide(to);
    if (!::CopyFileW(Wide(from).c_str(), target.c_str(), FALSE)) return win32::LastErrorAsErrno();
    // Windows copies the attributes too: a read-only source (from a CD) must not leave a copy
    // that the program cannot delete afterwards.
    const DWORD attributes = ::GetFileAttributesW(target.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0) {
        ::SetFileAttributesW(target.c_str(), attributes & ~DWORD{FILE_ATTRIBUTE_READONLY});
    }
    return 0;
}

int CopyFileAtomically(const std::string& from, const std::string& to) {
    WindowsFile source(::CreateFileW(Wide(from).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                     OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    if (!source.Valid()) return win32::LastErrorAsErrno();
    const std::string temporary = TemporaryBeside(to);
    const std::wstring temporaryName = Wide(temporary);
    int err = WriteTemporary(source.Get(), temporary);
    // Whole and on the disk: only now may it carry an ordinary file's attributes.
    if (err == 0 && !::SetFileAttributesW(temporaryName.c_str(), FILE_ATTRIBUTE_ARCHIVE)) {
        err = win32::LastErrorAsErrno();
    }
    if (err == 0 && !::MoveFileExW(temporaryName.c_str(), Wide(to).c_str(),
                                   MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        err = win32::LastErrorAsErrno();
    }
    if (err != 0) ::DeleteFileW(temporaryName.c_str());
    return err;
}

int DeleteFile(const std::string& path) {
    return ::DeleteFileW(Wide(path).c_str()) ? 0 : win32::LastErrorAsErrno();
}

}  // namespace platform
