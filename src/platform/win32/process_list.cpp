// The process list from Toolhelp, with the record size the old program passed.
#include "platform/platform.h"
#include "platform/win32/child_processes.h"
#include "platform/win32/windows_api.h"

namespace platform {

static_assert(sizeof(::PROCESSENTRY32) == 296, "the process record the old program passed");

namespace {

bool ReadEntry(HANDLE handle, PROCESSENTRY32* entry, bool fromStart) {
    if (entry == nullptr) return false;
    ::PROCESSENTRY32 record{};
    record.dwSize = entry->dwSize;
    const auto snapshot = reinterpret_cast<::HANDLE>(handle);
    if (!(fromStart ? ::Process32First(snapshot, &record) : ::Process32Next(snapshot, &record))) {
        return false;
    }
    entry->th32ProcessID = static_cast<std::int32_t>(record.th32ProcessID);
    entry->th32ParentProcessID = static_cast<std::int32_t>(record.th32ParentProcessID);
    entry->szExeFile = AnsiToUtf8(record.szExeFile);
    return true;
}

}  // namespace

HANDLE CreateToolhelp32Snapshot(std::uint32_t flags, std::uint32_t processId) {
    const auto snapshot = reinterpret_cast<HANDLE>(::CreateToolhelp32Snapshot(flags, processId));
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
    // -1 is also the pseudo handle of this process, which closing would not refuse.
    if (handle == INVALID_HANDLE_VALUE) return false;
    return ::CloseHandle(reinterpret_cast<::HANDLE>(handle)) != FALSE;
}

}  // namespace platform
