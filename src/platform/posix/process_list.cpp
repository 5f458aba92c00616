#include <dirent.h>
#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "platform/platform.h"
#include "platform/posix/child_processes.h"
#include "platform/posix/handle_table.h"
#include "platform/process_list_testing.h"

namespace platform {

namespace {

struct Snapshot {
    std::vector<PROCESSENTRY32> entries;
    std::size_t next = 0;
};

// The open snapshots, and where a new one takes its list from.
struct ProcessLists {
    posix::HandleTable<HANDLE, Snapshot> snapshots{1, 1};
    test_seams::ProcessListSource source;
};

ProcessLists& Lists() {
    static ProcessLists lists;
    return lists;
}

bool IsProcessIdName(const char* name) {
    if (*name == '\0') return false;
    for (const char* c = name; *c != '\0'; ++c) {
        if (*c < '0' || *c > '9') return false;
    }
    return true;
}

// The /proc/PID/stat files of the processes listed last time, kept open: a snapshot then reads
// each with one pread instead of an open, a read and a close. The file of a process that has
// gone reads nothing, even once a new process has its id, and is opened afresh.
class StatFiles {
public:
    StatFiles() = default;
    ~StatFiles() { CloseAll(); }
    StatFiles(const StatFiles&) = delete;
    StatFiles& operator=(const StatFiles&) = delete;

    // The stat line's length in `buffer`, or -1 for a process that is gone.
    ssize_t Read(int procFd, pid_t pid, const char* pidText, char* buffer, std::size_t size) {
        if (const auto kept = open_.find(pid); kept != open_.end()) {
            const ssize_t length = pread(kept->second, buffer, size, 0);
            if (length > 0) return length;
            close(kept->second);
            open_.erase(kept);
        }
        char path[sizeof(dirent::d_name) + 8];
        std::snprintf(path, sizeof path, "%s/stat", pidText);
        int fd = openat(procFd, path, O_RDONLY | O_CLOEXEC);
        if (fd < 0 && (errno == EMFILE || errno == ENFILE)) {
            CloseAll();  // the program's own files come first
            fd = openat(procFd, path, O_RDONLY | O_CLOEXEC);
        }
        if (fd < 0) return -1;
        const ssize_t length = pread(fd, buffer, size, 0);
        if (length > 0 && open_.size() < kMostKept) {
            open_.emplace(pid, fd);
        } else {
            close(fd);
        }
        return length;
    }

    // Closes the files of the processes a listing no longer shows.
    void KeepOnly(const std::vector<pid_t>& listed) {
        for (auto kept = open_.begin(); kept != open_.end();) {
            const bool gone = !std::binary_search(listed.begin(), listed.end(), kept->first);
            if (gone) close(kept->second);
            kept = gone ? open_.erase(kept) : std::next(kept);
        }
    }

private:
    static constexpr std::size_t kMostKept = 256;

    void CloseAll() {
        for (const auto& [pid, fd] : open_) close(fd);
        open_.clear();
    }

    std::unordered_map<pid_t, int> open_;
};

StatFiles& KeptStatFiles() {
    static StatFiles files;
    return files;
}

// Reads /proc/PID/stat. A zombie has ended and a dead entry is on its way out: neither counts
// as running, and a process that vanished while being read does not count either.
bool ReadRunningProcess(int procFd, pid_t pid, const char* pidText, PROCESSENTRY32* entry) {
    char buffer[1024];
    const ssize_t length = KeptStatFiles().Read(procFd, pid, pidText, buffer, sizeof buffer - 1);
    if (length <= 0) return false;
    const std::string_view line(buffer, static_cast<std::size_t>(length));
    // The command name may hold blanks and parentheses: it ends at the last ')'.
    const auto open = line.find('(');
    const auto close = line.rfind(')');
    if (open == std::string_view::npos || close == std::string_view::npos || close < open ||
        close + 2 >= line.size()) {
        return false;
    }
    const char state = line[close + 2];
    if (state == 'Z' || state == 'X' || state == 'x') return false;
    buffer[length] = '\0';
    entry->th32ProcessID = static_cast<std::int32_t>(pid);
    entry->th32ParentProcessID =
        static_cast<std::int32_t>(std::strtol(buffer + close + 3, nullptr, 10));
    entry->szExeFile = line.substr(open + 1, close - open - 1);
    return true;
}

bool ReadLiveProcessList(std::vector<PROCESSENTRY32>* entries) {
    DIR* proc = opendir("/proc");
    if (proc == nullptr) return false;
    const int procFd = dirfd(proc);
    std::vector<pid_t> listed;
    while (const dirent* item = readdir(proc)) {
        if (!IsProcessIdName(item->d_name)) continue;
        const auto pid = static_cast<pid_t>(std::strtol(item->d_name, nullptr, 10));
        listed.push_back(pid);
        PROCESSENTRY32 entry;
        if (ReadRunningProcess(procFd, pid, item->d_name, &entry)) {
            entries->push_back(std::move(entry));
        }
    }
    closedir(proc);
    std::sort(listed.begin(), listed.end());
    KeptStatFiles().KeepOnly(listed);
    return true;
}

bool ReadEntry(HANDLE handle, PROCESSENTRY32* entry, bool fromStart) {
    Snapshot* snapshot = Lists().snapshots.Find(handle);
    if (snapshot == nullptr || entry == nullptr) return false;
    if (fromStart) snapshot->next = 0;
    if (snapshot->next >= snapshot->entries.size()) return false;
    const std::uint32_t size = entry->dwSize;
    *entry = snapshot->entries[snapshot->next++];
    entry->dwSize = size;
    return true;
}

}  // namespace

HANDLE CreateToolhelp32Snapshot(std::uint32_t /*flags*/, std::uint32_t /*processId*/) {
    auto& children = posix::StartedChildren();
    const std::vector<pid_t> endedBefore = children.EndedNow();
    Snapshot snapshot;
    if (Lists().source) {
        snapshot.entries = Lists().source();
    } else if (!ReadLiveProcessList(&snapshot.entries)) {
        return INVALID_HANDLE_VALUE;
    }
    // A child this snapshot saw ended must not stay a zombie; one that ended during the read
    // stays unreaped, so its end signal still wakes the wait for the next snapshot.
    std::vector<pid_t> listed;
    listed.reserve(snapshot.entries.size());
    for (const PROCESSENTRY32& entry : snapshot.entries) listed.push_back(entry.th32ProcessID);
    children.ReapSeenEnded(endedBefore, listed);
    return Lists().snapshots.Add(std::move(snapshot));
}

bool Process32First(HANDLE snapshot, PROCESSENTRY32* entry) {
    return ReadEntry(snapshot, entry, true);
}

bool Process32Next(HANDLE snapshot, PROCESSENTRY32* entry) {
    return ReadEntry(snapshot, entry, false);
}

bool CloseHandle(HANDLE handle) {
    return Lists().snapshots.Remove(handle);
}

void test_seams::SetProcessListSource(ProcessListSource source) {
    Lists().source = std::move(source);
}

}  // namespace platform
