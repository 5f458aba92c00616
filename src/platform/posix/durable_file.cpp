#include "platform/posix/durable_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

#include "platform/durable_file_testing.h"

namespace platform {

namespace {

test_seams::DurableFileSteps& Steps() {
    static test_seams::DurableFileSteps steps;
    return steps;
}

int Flush(int fd) {
    return Steps().flush ? Steps().flush(fd) : ::fsync(fd);
}

int CloseNow(int fd) {
    return Steps().close ? Steps().close(fd) : ::close(fd);
}

int Rename(const char* from, const char* to) {
    return Steps().rename ? Steps().rename(from, to) : std::rename(from, to);
}

}  // namespace

void test_seams::SetDurableFileSteps(DurableFileSteps steps) {
    Steps() = std::move(steps);
}

namespace posix {

namespace {

void SyncFolder(const std::string& folder) {
    FileDescriptor handle(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (handle.Valid()) Flush(handle.Get());
}

}  // namespace

FileDescriptor::~FileDescriptor() {
    if (fd_ >= 0) ::close(fd_);
}

int FileDescriptor::Close() {
    const int result = CloseNow(fd_);
    fd_ = -1;
    return result == 0 ? 0 : errno;
}

int WriteAll(int fd, const char* data, std::size_t size) {
    while (size > 0) {
        const ssize_t written = ::write(fd, data, size);
        if (written < 0) {
            if (errno == EINTR) continue;
            return errno;
        }
        data += written;
        size -= static_cast<std::size_t>(written);
    }
    return 0;
}

std::string FolderOf(const std::string& path) {
    const auto slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::string NameOf(const std::string& path) {
    const auto slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

int ReplaceThroughTemporary(const std::string& temporaryPath, const std::string& target,
                            mode_t mode, const std::function<int(int fd)>& write) {
    FileDescriptor temporary(
        ::open(temporaryPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode));
    if (!temporary.Valid()) return errno;
    if (const int err = write(temporary.Get()); err != 0) {
        ::unlink(temporaryPath.c_str());
        return err;
    }
    int err = Flush(temporary.Get()) == 0 ? 0 : errno;
    if (const int closed = temporary.Close(); err == 0) err = closed;
    if (err == 0 && Rename(temporaryPath.c_str(), target.c_str()) != 0) err = errno;
    if (err != 0) {
        ::unlink(temporaryPath.c_str());
        return err;
    }
    // The new file is in place; a failed folder flush cannot undo that.
    SyncFolder(FolderOf(target));
    return 0;
}

}  // namespace posix

}  // namespace platform
