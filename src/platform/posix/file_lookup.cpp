#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>
#include <functional>
#include <string_view>
#include <vector>

#include "platform/platform.h"
#include "platform/text/letter_case.h"

namespace platform {
namespace {

struct SplitPath {
    std::string folder;  // up to and including the last "/", or empty
    std::string name;
};

SplitPath Split(const std::string& path) {
    const auto slash = path.rfind('/');
    if (slash == std::string::npos) return {"", path};
    return {path.substr(0, slash + 1), path.substr(slash + 1)};
}

// A regular file (a link counts as its target) whose name does not mark it hidden.
bool IsOrdinaryFile(const std::string& path, std::string_view name) {
    if (name.empty() || name.front() == '.') return false;
    struct stat info {};
    return stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

// The names in a folder, sorted so that a choice among them does not depend on the
// file system's order. An unreadable folder lists nothing.
std::vector<std::string> NamesIn(const std::string& folder) {
    std::vector<std::string> names;
    DIR* dir = opendir(folder.empty() ? "." : folder.c_str());
    if (dir == nullptr) return names;
    while (const dirent* entry = readdir(dir)) names.emplace_back(entry->d_name);
    closedir(dir);
    std::sort(names.begin(), names.end());
    return names;
}

bool AnyOrdinaryFileIn(const std::string& folder,
                       const std::function<bool(const std::string&)>& nameMatches) {
    for (const auto& name : NamesIn(folder)) {
        if (nameMatches(name) && IsOrdinaryFile(folder + name, name)) return true;
    }
    return false;
}

}  // namespace

std::optional<std::string> FindOrdinaryFile(const std::string& path) {
    // A NUL would cut the name short at the system call and find another file.
    if (path.find('\0') != std::string::npos) return std::nullopt;
    const SplitPath parts = Split(path);
    if (IsOrdinaryFile(path, parts.name)) return path;
    if (parts.name.empty() || parts.name.front() == '.') return std::nullopt;
    for (const auto& name : NamesIn(parts.folder)) {
        if (name == parts.name || !text::NamesEqualIgnoringCase(name, parts.name)) continue;
        const std::string candidate = parts.folder + name;
        if (IsOrdinaryFile(candidate, name)) return candidate;
    }
    return std::nullopt;
}

bool FolderHoldsOrdinaryFile(const std::string& folder) {
    if (folder.find('\0') != std::string::npos) return false;
    // "folder*.*": with a trailing "/" any file inside; otherwise the last component is the
    // start of a file name in the folder above.
    const SplitPath parts = Split(folder);
    return AnyOrdinaryFileIn(parts.folder, [&](const std::string& name) {
        return text::NameStartsWithIgnoringCase(name, parts.name);
    });
}

bool ParentFolderExists(const std::string& path) {
    std::string trimmed = path;
    while (trimmed.size() > 1 && trimmed.back() == '/') trimmed.pop_back();
    const auto slash = trimmed.rfind('/');
    if (slash == std::string::npos) return true;  // the current folder
    const std::string parent = trimmed.substr(0, slash + 1);
    struct stat info {};
    return stat(parent.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

}  // namespace platform
