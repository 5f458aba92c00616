#include "platform/posix/hive_store.h"

#include <fcntl.h>
#include <pwd.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <thread>

#include "platform/posix/durable_file.h"
#include "platform/posix/hive_text.h"

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

std::optional<std::string> ReadWholeFile(const std::string& path) {
    posix::FileDescriptor file(open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (!file.Valid()) {
        if (errno == ENOENT) return std::string();
        return std::nullopt;
    }
    std::string text;
    char buffer[8192];
    while (true) {
        const ssize_t got = read(file.Get(), buffer, sizeof buffer);
        if (got == 0) return text;
        if (got < 0) {
            if (errno == EINTR) continue;
            return std::nullopt;
        }
        text.append(buffer, static_cast<std::size_t>(got));
    }
}

// Writes the text beside the hive, makes it durable and puts it in the hive's place.
bool ReplaceHive(const HiveFiles& files, const std::string& text) {
    posix::FileDescriptor temp(
        open(files.temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, kPrivateFile));
    if (!temp.Valid()) return false;
    if (posix::WriteAll(temp.Get(), text.data(), text.size()) != 0) {
        unlink(files.temp.c_str());
        return false;
    }
    return posix::ReplaceWithTemporary(temp, files.temp, files.hive) == 0;
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
    for (std::size_t end = path.find('/', 1);; end = path.find('/', end + 1)) {
        const std::string prefix = path.substr(0, end);
        if (!prefix.empty() && mkdir(prefix.c_str(), mode) == 0) {
            chmod(prefix.c_str(), mode);  // exactly this mode, whatever the umask
        }
        if (end == std::string::npos) break;
    }
    struct stat info {};
    return stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

std::optional<Hive> LoadHive(const HiveFiles& files) {
    const auto text = ReadWholeFile(files.hive);
    if (!text) return std::nullopt;
    return ParseHive(*text);
}

LSTATUS UpdateHive(const HiveFiles& files, const std::function<bool(Hive&)>& change) {
    if (!EnsureFolder(files.folder, kPrivateFolder)) return ERROR_ACCESS_DENIED;
    posix::FileDescriptor lock(
        open(files.lock.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, kPrivateFile));
    if (!lock.Valid()) return ERROR_ACCESS_DENIED;
    if (!LockWithin(lock, kLockWait)) return ERROR_LOCK_FAILED;
    // Left behind by a writer that died before its rename; never part of the hive.
    unlink(files.temp.c_str());
    auto hive = LoadHive(files);
    if (!hive) return ERROR_BADDB;
    if (!change(*hive)) return ERROR_SUCCESS;
    return ReplaceHive(files, SerializeHive(*hive)) ? ERROR_SUCCESS : ERROR_WRITE_FAULT;
}

}  // namespace platform::hive
