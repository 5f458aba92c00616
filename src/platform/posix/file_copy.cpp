#include <fcntl.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <string>

#include "platform/platform.h"

namespace platform {

namespace {

class Descriptor {
public:
    explicit Descriptor(int fd) : fd_(fd) {}
    ~Descriptor() {
        if (fd_ >= 0) ::close(fd_);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;

    int Get() const { return fd_; }
    // Closing can report a failed write-back; the caller must hear of it.
    int Close() {
        const int result = ::close(fd_);
        fd_ = -1;
        return result == 0 ? 0 : errno;
    }

private:
    int fd_;
};

int WriteAll(int fd, const char* data, ssize_t size) {
    while (size > 0) {
        const ssize_t written = ::write(fd, data, static_cast<size_t>(size));
        if (written < 0) {
            if (errno == EINTR) continue;
            return errno;
        }
        data += written;
        size -= written;
    }
    return 0;
}

int CopyContents(int from, int to) {
    char buffer[64 * 1024];
    for (;;) {
        const ssize_t got = ::read(from, buffer, sizeof buffer);
        if (got < 0) {
            if (errno == EINTR) continue;
            return errno;
        }
        if (got == 0) return 0;
        if (const int err = WriteAll(to, buffer, got); err != 0) return err;
    }
}

// The descriptor of a regular file opened for reading, or the negated errno value.
int OpenRegularFile(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return -errno;
    struct stat info {};
    const int err = ::fstat(fd, &info) != 0 ? errno : (S_ISREG(info.st_mode) ? 0 : EISDIR);
    if (err == 0) return fd;
    ::close(fd);
    return -err;
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

void SyncFolder(const std::string& folder) {
    Descriptor dir(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (dir.Get() >= 0) ::fsync(dir.Get());
}

mode_t NewFileMode() {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

}  // namespace

int CopyFileReplacing(const std::string& from, const std::string& to) {
    const int sourceFd = OpenRegularFile(from);
    if (sourceFd < 0) return -sourceFd;
    Descriptor source(sourceFd);
    Descriptor target(::open(to.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666));
    if (target.Get() < 0) return errno;
    if (const int err = CopyContents(source.Get(), target.Get()); err != 0) return err;
    return target.Close();
}

int CopyFileAtomically(const std::string& from, const std::string& to) {
    const int sourceFd = OpenRegularFile(from);
    if (sourceFd < 0) return -sourceFd;
    Descriptor source(sourceFd);
    // A hidden name, so that a half-written copy never counts as a file of the folder.
    std::string temporary = FolderOf(to) + "/." + NameOf(to) + ".XXXXXX";
    Descriptor target(::mkostemp(temporary.data(), O_CLOEXEC));
    if (target.Get() < 0) return errno;
    int err = CopyContents(source.Get(), target.Get());
    if (err == 0 && ::fchmod(target.Get(), NewFileMode()) != 0) err = errno;
    if (err == 0 && ::fsync(target.Get()) != 0) err = errno;
    if (const int closed = target.Close(); err == 0) err = closed;
    if (err == 0 && ::rename(temporary.c_str(), to.c_str()) != 0) err = errno;
    if (err != 0) {
        ::unlink(temporary.c_str());
        return err;
    }
    SyncFolder(FolderOf(to));
    return 0;
}

int DeleteFile(const std::string& path) {
    return ::unlink(path.c_str()) == 0 ? 0 : errno;
}

}  // namespace platform
