#include "platform/posix/hive_store.h"

#include <fcntl.h>
#include <pwd.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <thread>

#include "platform/posix/durable_file.h"
#include "platform/posix/file_stamp.h"
#include "platform/posix/hive_file.h"

namespace platform::hive {

namespace {

constexpr auto kLockWait = std::chrono::seconds(5);
constexpr auto kLockPoll = std::chrono::milliseconds(10);
constexpr unsigned kPrivateFolder = 0700;
constexpr mode_t kPrivateFile = 0600;

std::string HomeFolder() {
    const char* home = std::getenv("HOME");
    if (home != nullptr && *home != '\0') return home;
    const passwd* user = getpwuid(getuid());
    return user != nullptr && user->pw_dir != nullptr ? user->pw_dir : "/";
}

// An XDG base folder; relative values are invalid and ignored, as the XDG rules say.
std::string XdgFolder(const char* variable, const char* fallbackBelowHome) {
    const char* value = std::getenv(variable);
    if (value != nullptr && value[0] == '/') return value;
    return HomeFolder() + "/" + fallbackBelowHome;
}

// Waits for the writers' lock; the lock ends with the descriptor.
bool LockWithin(const posix::FileDescriptor& lock, std::chrono::steady_clock::duration wait) {
    const auto deadline = std::chrono::steady_clock::now() + wait;
    while (flock(lock.Get(), LOCK_EX | LOCK_NB) != 0) {
        if (errno != EWOULDBLOCK && errno != EINTR) return false;
        if (std::chrono::steady_clock::now() >= deadline) return false;
        std::this_thread::sleep_for(kLockPoll);
    }
    return true;
}

StoredHive CannotRead(int err) {
    const std::string what =
        std::string("die Datei lässt sich nicht lesen (") + std::strerror(err) + ")";
    return {Hive{}, HiveForm{}, HiveProblem{0, what}};
}

// The hive as the file holds it now, and the stamp of what was read.
StoredHive ReadStoredHive(const std::string& path, std::optional<posix::FileStamp>& stamp) {
    posix::FileDescriptor file(open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (!file.Valid()) return errno == ENOENT ? StoredHive{} : CannotRead(errno);
    struct stat info {};
    if (fstat(file.Get(), &info) != 0) return CannotRead(errno);
    stamp = posix::StampOf(info);
    std::string bytes;
    char buffer[8192];
    for (ssize_t got; (got = read(file.Get(), buffer, sizeof buffer)) != 0;) {
        if (got < 0 && errno != EINTR) return CannotRead(errno);
        if (got > 0) bytes.append(buffer, static_cast<std::size_t>(got));
    }
    ParsedHive parsed = ParseHiveFile(bytes);
    if (!parsed.hive) return {Hive{}, parsed.form, std::move(parsed.problem)};
    return {std::move(*parsed.hive), parsed.form, std::nullopt};
}

struct CachedHive {
    std::string path;
    posix::FileStamp stamp;
    std::shared_ptr<const StoredHive> stored;
};

// Writes the text beside the hive, makes it durable and puts it in the hive's place.
bool ReplaceHive(const HiveFiles& files, const std::string& text) {
    const auto writeText = [&](int fd) { return posix::WriteAll(fd, text.data(), text.size()); };
    return posix::ReplaceThroughTemporary(files.temp, files.hive, kPrivateFile, writeText) == 0;
}

}  // namespace

HiveFiles CurrentHiveFiles() {
    const std::string folder = XdgFolder("XDG_CONFIG_HOME", ".config") + "/marquill";
    const std::string hive = folder + "/registry.reg";
    return {folder, hive, hive + ".lock", hive + ".tmp"};
}

std::string CacheHome() {
    return XdgFolder("XDG_CACHE_HOME", ".cache");
}

bool EnsureFolder(const std::string& path, unsigned mode) {
    struct stat info {};
    if (stat(path.c_str(), &info) == 0) return S_ISDIR(info.st_mode);
    if (errno != ENOENT) return false;
    const std::string parent = posix::FolderOf(path);
    if (parent != path && !EnsureFolder(parent, mode)) return false;
    if (mkdir(path.c_str(), mode) == 0) {
        chmod(path.c_str(), mode);  // exactly this mode, whatever the umask
    } else if (errno != EEXIST) {
        return false;
    }
    return stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

std::shared_ptr<const StoredHive> LoadHive(const HiveFiles& files) {
    static const auto kEmpty = std::make_shared<const StoredHive>();
    static CachedHive cache;
    struct stat info {};
    if (stat(files.hive.c_str(), &info) != 0 && errno == ENOENT) return kEmpty;
    if (cache.stored && cache.path == files.hive && cache.stamp == posix::StampOf(info)) {
        return cache.stored;
    }
    std::optional<posix::FileStamp> stamp;
    auto stored = std::make_shared<const StoredHive>(ReadStoredHive(files.hive, stamp));
    cache = {};
    if (stamp && posix::IsSettled(*stamp)) cache = {files.hive, *stamp, stored};
    return stored;
}

LSTATUS UpdateHive(const HiveFiles& files, const std::function<bool(Hive&)>& change) {
    if (!EnsureFolder(files.folder, kPrivateFolder)) return ERROR_ACCESS_DENIED;
    posix::FileDescriptor lock(
        open(files.lock.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, kPrivateFile));
    if (!lock.Valid()) return ERROR_ACCESS_DENIED;
    if (!LockWithin(lock, kLockWait)) return ERROR_LOCK_FAILED;
    // Left behind by a writer that died before its rename; never part of the hive.
    unlink(files.temp.c_str());
    std::optional<posix::FileStamp> ignored;
    StoredHive current = ReadStoredHive(files.hive, ignored);
    if (current.problem) return ERROR_BADDB;
    if (!change(current.hive)) return ERROR_SUCCESS;
    return ReplaceHive(files, WriteHiveFile(current.hive, current.form)) ? ERROR_SUCCESS
                                                                         : ERROR_WRITE_FAULT;
}

}  // namespace platform::hive
