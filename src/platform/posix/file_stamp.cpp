#include "platform/posix/file_stamp.h"

#include <algorithm>
#include <cstdint>

namespace platform::posix {
namespace {

// Well above the coarse tick the kernel stamps files with (1 to 10 ms).
constexpr std::int64_t kSettleNanoseconds = 50'000'000;

std::int64_t Nanoseconds(const timespec& time) {
    return static_cast<std::int64_t>(time.tv_sec) * 1'000'000'000 + time.tv_nsec;
}

bool Same(const timespec& a, const timespec& b) {
    return a.tv_sec == b.tv_sec && a.tv_nsec == b.tv_nsec;
}

}  // namespace

bool FileStamp::operator==(const FileStamp& other) const {
    return device == other.device && inode == other.inode && size == other.size &&
           Same(modified, other.modified) && Same(changed, other.changed);
}

FileStamp StampOf(const struct stat& info) {
    return {info.st_dev, info.st_ino, info.st_size, info.st_mtim, info.st_ctim};
}

std::optional<FileStamp> StampAt(const std::string& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) return std::nullopt;
    return StampOf(info);
}

bool IsSettled(const FileStamp& stamp) {
    timespec now{};
    ::clock_gettime(CLOCK_REALTIME, &now);
    // The change time moves with every write, rename and link count change; no one can set it.
    const std::int64_t latest = std::max(Nanoseconds(stamp.modified), Nanoseconds(stamp.changed));
    return Nanoseconds(now) - latest > kSettleNanoseconds;
}

}  // namespace platform::posix
