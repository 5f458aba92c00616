// Files found as the old program's Dir found them: FindFirstFile, letter case not counting,
// folders, hidden and system files never counting. The names asked for are never patterns.
#include <string_view>

#include "platform/platform.h"
#include "platform/text/letter_case.h"
#include "platform/win32/text_conversion.h"
#include "platform/win32/windows_api.h"

namespace platform {
namespace {

struct SplitPath {
    std::string folder;  // up to and including the last separator, or a bare drive "C:"
    std::string name;
};

SplitPath Split(const std::string& path) {
    const auto separator = path.find_last_of("\\/");
    if (separator != std::string::npos) {
        return {path.substr(0, separator + 1), path.substr(separator + 1)};
    }
    if (path.size() >= 2 && path[1] == ':') return {path.substr(0, 2), path.substr(2)};
    return {"", path};
}

// FindFirstFile reads these as wildcards ("<", ">" and '"' are DOS forms of "*", "?" and ".").
bool HasWildcard(std::string_view name) {
    return name.find_first_of("*?<>\"") != std::string_view::npos;
}

bool IsOrdinary(const WIN32_FIND_DATAW& entry) {
    constexpr DWORD kNotOrdinary =
        FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
    return (entry.dwFileAttributes & kNotOrdinary) == 0;
}

// Calls `visit` with the name of each ordinary file the pattern lists until it answers false.
template <typename Visit>
void ForEachOrdinaryFile(const std::string& pattern, Visit visit) {
    WIN32_FIND_DATAW entry{};
    const ::HANDLE find = ::FindFirstFileW(win32::Utf16FromUtf8(pattern).c_str(), &entry);
    if (find == winapi::InvalidHandle()) return;
    bool more = true;
    do {
        if (IsOrdinary(entry)) more = visit(win32::Utf8FromUtf16(entry.cFileName));
    } while (more && ::FindNextFileW(find, &entry));
    ::FindClose(find);
}

}  // namespace

std::optional<std::string> FindOrdinaryFile(const std::string& path) {
    // A NUL would cut the name short at the system call and find another file.
    if (path.find('\0') != std::string::npos) return std::nullopt;
    const SplitPath parts = Split(path);
    if (parts.name.empty() || HasWildcard(parts.name)) return std::nullopt;
    // On a file system that tells letter case apart (Wine on Linux) several names may match:
    // the exact one first, else the first in order.
    std::optional<std::string> found;
    ForEachOrdinaryFile(path, [&](const std::string& name) {
        if (!found || name == parts.name || (*found != parts.name && name < *found)) found = name;
        return *found != parts.name;
    });
    if (!found) return std::nullopt;
    return parts.folder + *found;
}

bool FolderHoldsOrdinaryFile(const std::string& folder) {
    if (folder.find('\0') != std::string::npos) return false;
    // "folder*.*": the last component, when there is one, is the start of a file name. It is
    // compared as text, so that nothing the user typed acts as a wildcard.
    const SplitPath parts = Split(folder);
    bool held = false;
    ForEachOrdinaryFile(parts.folder + "*", [&](const std::string& name) {
        held = text::NameStartsWithIgnoringCase(name, parts.name);
        return !held;
    });
    return held;
}

bool ParentFolderExists(const std::string& path) {
    std::string trimmed = path;
    while (trimmed.size() > 1 && (trimmed.back() == '\\' || trimmed.back() == '/')) {
        trimmed.pop_back();
    }
    const auto separator = trimmed.find_last_of("\\/");
    if (separator == std::string::npos) return true;  // the current folder
    const std::string parent = trimmed.substr(0, separator + 1);
    const DWORD attributes = ::GetFileAttributesW(win32::Utf16FromUtf8(parent).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

}  // namespace platform
