#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "poicompiler/error.h"
#include "poicompiler/file_steps.h"

namespace poicompiler {
namespace {

void WriteAndSync(int fd, const std::string& data, const std::filesystem::path& path) {
    std::size_t done = 0;
    while (done < data.size()) {
        const ssize_t n = ::write(fd, data.data() + done, data.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) FailWithSystemError("write", path);
        done += static_cast<std::size_t>(n);
    }
    if (::fsync(fd) != 0) FailWithSystemError("flush", path);
}

}  // namespace

void FailWithSystemError(const std::string& what, const std::filesystem::path& path) {
    throw CompileError(path.string() + ": cannot " + what + ": " + std::strerror(errno));
}

std::FILE* OpenInput(const std::filesystem::path& path) {
    return std::fopen(path.c_str(), "rb");
}

unsigned long ProcessId() {
    return static_cast<unsigned long>(::getpid());
}

// The dot name is what hides it.
bool WriteNewFile(const std::filesystem::path& temporary, const OutputFile& file) {
    const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (fd < 0 && errno == EEXIST) return false;
    if (fd < 0) FailWithSystemError("create a temporary file", temporary);
    try {
        WriteAndSync(fd, file.contents, file.path);
    } catch (...) {
        ::close(fd);
        throw;
    }
    if (::close(fd) != 0) FailWithSystemError("write", file.path);
    return true;
}

void MoveOverTarget(const std::filesystem::path& temporary, const std::filesystem::path& target) {
    if (::rename(temporary.c_str(), target.c_str()) != 0) FailWithSystemError("replace", target);
}

void RemoveTemporary(const std::filesystem::path& temporary) {
    ::unlink(temporary.c_str());
}

void SyncFolderOf(const std::filesystem::path& file) {
    std::filesystem::path dir = file.parent_path();
    if (dir.empty()) dir = ".";
    const int fd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;  // the renames are done; a folder we cannot open cannot be flushed
    ::fsync(fd);
    ::close(fd);
}

}  // namespace poicompiler
