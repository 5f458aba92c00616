// The process list from Toolhelp, with the record size the old program passed. A test may
// have every snapshot list processes of its own instead.
#include <map>
#include <vector>

#include "platform/platform.h"
#include "platform/process_list_testing.h"
#include "platform/win32/child_processes.h"
#include "platform/win32/text_conversion.h"
#include "platform/win32/windows_api.h"

namespace platform {

static_assert(sizeof(::PROCESSENTRY32) == 296, "the process record the old program passed");

namespace {

struct ListedSnapshot {
    std::vector<PROCESSENTRY32> entries;
    std::size_t next = 0;
};

// Snapshots of the test seam. Their handles are odd, so never a real handle, which is a
// multiple of 4.
struct TestLists {
    test_seams::ProcessListSource source;
    std::map<HANDLE, ListedSnapshot> snapshots;
    HANDLE lastHandle = 0x40000001;
};

TestLists& Seam() {
    static TestLists lists;
    return lists;
}

ListedSnapshot* SeamSnapshot(HANDLE handle) {
    const auto found = Seam().snapshots.find(handle);
    return found == Seam().snapshots.end() ? nullptr : &found->second;
}

bool ReadSeamEntry(ListedSnapshot& snapshot, PROCESSENTRY32* entry, bool fromStart) {
    if (fromStart) snapshot.next = 0;
    if (snapshot.next >= snapshot.entries.size()) return false;
    const std::uint32_t size = entry->dwSize;
    *entry = snapshot.entries[snapshot.next++];
    entry->dwSize = size;
    return true;
}

bool ReadEntry(HANDLE handle, PROCESSENTRY32* entry, bool fromStart) {
    if (entry == nullptr) return false;
    if (ListedSnapshot* snapshot = SeamSnapshot(handle)) {
        return ReadSeamEntry(*snapshot, entry, fromStart);
    }
    ::PROCESSENTRY32 record{};
    record.dwSize = entry->dwSize;
    const auto snapshot = reinterpret_cast<::HANDLE>(handle);
    if (!(fromStart ? ::Process32First(snapshot, &record) : ::Process32Next(snapshot, &record))) {
        return false;
    }
    entry->th32ProcessID = static_cast<std::int32_t>(record.th32ProcessID);
    entry->th32ParentProcessID = static_cast<std::int32_t>(record.th32ParentProcessID);
    entry->szExeFile = win32::Utf8FromAnsi(record.szExeFile);
    return true;
}

}  // namespace

HANDLE CreateToolhelp32Snapshot(std::uint32_t flags, std::uint32_t processId) {
    HANDLE snapshot = INVALID_HANDLE_VALUE;
    if (Seam().source) {
        snapshot = Seam().lastHandle += 2;
        Seam().snapshots[snapshot] = ListedSnapshot{Seam().source(), 0};
    } else {
        snapshot = reinterpret_cast<HANDLE>(::CreateToolhelp32Snapshot(flags, processId));
    }
    // Closed after the list was taken: until then an ended child's id cannot be reused, so
    // this list cannot show another process under it.
    win32::StartedChildren().ForgetEnded();
    return snapshot;
}

bool Process32First(HANDLE snapshot, PROCESSENTRY32* entry) {
    return ReadEntry(snapshot, entry, true);
}

bool Process32Next(HANDLE snapshot, PROCESSENTRY32* entry) {
    return ReadEntry(snapshot, entry, false);
}

bool CloseHandle(HANDLE handle) {
    if (Seam().snapshots.erase(handle) == 1) return true;
    // -1 is also the pseudo handle of this process, which closing would not refuse.
    if (handle == INVALID_HANDLE_VALUE) return false;
    return ::CloseHandle(reinterpret_cast<::HANDLE>(handle)) != FALSE;
}

void test_seams::SetProcessListSource(ProcessListSource source) {
    Seam().source = std::move(source);
}

}  // namespace platform
