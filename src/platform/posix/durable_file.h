#pragma once
// Writing a file so that a crash or a full disk never leaves it half-written: the new content
// goes to a temporary file beside it, is flushed, and replaces the old file in one rename.

#include <sys/types.h>

#include <cstddef>
#include <functional>
#include <string>
#include <utility>

namespace platform::posix {

class FileDescriptor {
public:
    explicit FileDescriptor(int fd = -1) : fd_(fd) {}
    FileDescriptor(FileDescriptor&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}
    ~FileDescriptor();
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;

    int Get() const { return fd_; }
    bool Valid() const { return fd_ >= 0; }
    // Closes now: 0, or the errno value of a failed close (a late write error shows up here).
    int Close();

private:
    int fd_;
};

// 0, or the errno value of the write that failed.
int WriteAll(int fd, const char* data, std::size_t size);

// The folder part of a path ("." for a bare name) and the name part.
std::string FolderOf(const std::string& path);
std::string NameOf(const std::string& path);

// Creates the temporary file, which must not exist yet, lets `write` fill it (returning 0 or an
// errno value), flushes and closes it, renames it over `target` and flushes the folder. On
// failure the temporary file is removed and the target is untouched. Returns 0 or the errno
// value of the failed step.
int ReplaceThroughTemporary(const std::string& temporaryPath, const std::string& target,
                            mode_t mode, const std::function<int(int fd)>& write);

}  // namespace platform::posix
