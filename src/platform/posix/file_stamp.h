#pragma once
// What tells one state of a file or folder from the next without reading it, so that a
// parsed file or a folder listing can be reused while nothing has changed.

#include <sys/stat.h>

#include <ctime>
#include <optional>
#include <string>

namespace platform::posix {

struct FileStamp {
    dev_t device = 0;
    ino_t inode = 0;
    off_t size = 0;
    timespec modified{};
    timespec changed{};
    bool operator==(const FileStamp& other) const;
};

FileStamp StampOf(const struct stat& info);
// The stamp of what the path names (a link counts as its target); nothing when it is missing.
std::optional<FileStamp> StampAt(const std::string& path);

// Whether what was read after taking this stamp may be reused while the stamp stays the same.
// A change within the clock tick of the last one can leave every field as it was, so a stamp
// that recent is never trusted.
bool IsSettled(const FileStamp& stamp);

}  // namespace platform::posix
