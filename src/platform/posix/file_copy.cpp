#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <string>

#include "platform/platform.h"
#include "platform/posix/durable_file.h"

namespace platform {

using posix::FileDescriptor;

namespace {

int CopyContents(int from, int to) {
    char buffer[64 * 1024];
    for (;;) {
        const ssize_t got = ::read(from, buffer, sizeof buffer);
        if (got < 0) {
            if (errno == EINTR) continue;
            return errno;
        }
        if (got == 0) return 0;
        if (const int err = posix::WriteAll(to, buffer, static_cast<std::size_t>(got)); err != 0) {
            return err;
        }
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

// Our copies into one folder take turns, so that each can use the one temporary name of its
// target; a second Marquill writing the same card waits. Locks fail on some file systems,
// and then nothing waits, as before.
FileDescriptor TakeTurnsIn(const std::string& folder) {
    FileDescriptor handle(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    while (handle.Valid() && ::flock(handle.Get(), LOCK_EX) != 0 && errno == EINTR) {
    }
    return handle;
}

}  // namespace

int CopyFileReplacing(const std::string& from, const std::string& to) {
    const int sourceFd = OpenRegularFile(from);
    if (sourceFd < 0) return -sourceFd;
    FileDescriptor source(sourceFd);
    FileDescriptor target(::open(to.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666));
    if (target.Get() < 0) return errno;
    if (const int err = CopyContents(source.Get(), target.Get()); err != 0) return err;
    return target.Close();
}

int CopyFileAtomically(const std::string& from, const std::string& to) {
    const int sourceFd = OpenRegularFile(from);
    if (sourceFd < 0) return -sourceFd;
    FileDescriptor source(sourceFd);
    const std::string folder = posix::FolderOf(to);
    const FileDescriptor turn = TakeTurnsIn(folder);
    if (!turn.Valid()) return errno;
    // A hidden name, so that a half-written copy never counts as a file of the folder; one
    // name per target, so that what a killed copy left is removed by the next one.
    const std::string temporary = folder + "/." + posix::NameOf(to) + ".marquill";
    ::unlink(temporary.c_str());
    return posix::ReplaceThroughTemporary(temporary, to, 0666,
                                          [&](int fd) { return CopyContents(source.Get(), fd); });
}

int DeleteFile(const std::string& path) {
    return ::unlink(path.c_str()) == 0 ? 0 : errno;
}

}  // namespace platform
