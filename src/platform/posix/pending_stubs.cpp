// Temporary stand-ins so the program links while the real operations are written.
// Whoever implements a section deletes it here; the file goes when it is empty.
#include <cerrno>

#include "platform/platform.h"

namespace platform {

// --- registry ---
LSTATUS RegOpenKeyEx(HKEY, const std::string&, std::uint32_t, std::uint32_t, HKEY*) {
    return ERROR_FILE_NOT_FOUND;
}
LSTATUS RegQueryValueEx(HKEY, const std::string&, std::uint32_t*, unsigned char*, std::uint32_t*) {
    return ERROR_FILE_NOT_FOUND;
}
LSTATUS RegCreateKeyEx(HKEY, const std::string&, std::uint32_t, const std::string&, std::uint32_t,
                       std::uint32_t, const SECURITY_ATTRIBUTES*, HKEY* result, std::uint32_t*) {
    *result = 0;
    return ERROR_ACCESS_DENIED;
}
LSTATUS RegSetValueEx(HKEY, const std::string&, std::uint32_t, std::uint32_t, const unsigned char*,
                      std::uint32_t) {
    return ERROR_INVALID_HANDLE;
}
LSTATUS RegCloseKey(HKEY) { return ERROR_SUCCESS; }
// --- end registry ---

// --- file lookup ---
std::optional<std::string> FindOrdinaryFile(const std::string&) { return std::nullopt; }
bool FolderHoldsOrdinaryFile(const std::string&) { return false; }
bool ParentFolderExists(const std::string&) { return true; }
// --- end file lookup ---

// --- file copy ---
int CopyFileReplacing(const std::string&, const std::string&) { return ENOSYS; }
int CopyFileAtomically(const std::string&, const std::string&) { return ENOSYS; }
int DeleteFile(const std::string&) { return ENOSYS; }
// --- end file copy ---

}  // namespace platform
