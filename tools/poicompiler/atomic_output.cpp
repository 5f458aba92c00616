#include "poicompiler/atomic_output.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "poicompiler/error.h"

namespace poicompiler {
namespace {

[[noreturn]] void FailErrno(const std::string& what, const std::filesystem::path& path) {
    throw CompileError(path.string() + ": cannot " + what + ": " + std::strerror(errno));
}

class Temporaries {
public:
    ~Temporaries() {
        for (const auto& p : paths_) ::unlink(p.c_str());
    }

    // A dot name keeps a half-written file out of ordinary listings.
    std::filesystem::path Create(const std::filesystem::path& target, int& fd) {
        for (int attempt = 0;; ++attempt) {
            std::filesystem::path tmp = target;
            tmp.replace_filename("." + target.filename().string() + ".tmp" +
                                 std::to_string(::getpid()) + "_" + std::to_string(attempt));
            fd = ::open(tmp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
            if (fd >= 0) {
                paths_.push_back(tmp);
                return tmp;
            }
            if (errno != EEXIST || attempt > 100) FailErrno("create a temporary file", tmp);
        }
    }

    void Release(const std::filesystem::path& p) { std::erase(paths_, p); }

private:
    std::vector<std::filesystem::path> paths_;
};

void WriteAndSync(int fd, const std::string& data, const std::filesystem::path& path) {
    std::size_t done = 0;
    while (done < data.size()) {
        const ssize_t n = ::write(fd, data.data() + done, data.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) FailErrno("write", path);
        done += static_cast<std::size_t>(n);
    }
    if (::fsync(fd) != 0) FailErrno("flush", path);
}

void SyncFolder(const std::filesystem::path& file) {
    std::filesystem::path dir = file.parent_path();
    if (dir.empty()) dir = ".";
    const int fd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;  // the renames are done; a folder we cannot open cannot be flushed
    ::fsync(fd);
    ::close(fd);
}

}  // namespace

void WriteAllOrNothing(const std::vector<OutputFile>& files) {
    Temporaries temps;
    std::vector<std::filesystem::path> written;
    for (const OutputFile& f : files) {
        int fd = -1;
        const std::filesystem::path tmp = temps.Create(f.path, fd);
        try {
            WriteAndSync(fd, f.contents, f.path);
        } catch (...) {
            ::close(fd);
            throw;
        }
        if (::close(fd) != 0) FailErrno("write", f.path);
        written.push_back(tmp);
    }
    for (std::size_t i = 0; i < files.size(); ++i) {
        if (::rename(written[i].c_str(), files[i].path.c_str()) != 0) {
            FailErrno("replace", files[i].path);
        }
        temps.Release(written[i]);
    }
    if (!files.empty()) SyncFolder(files.front().path);
}

}  // namespace poicompiler
