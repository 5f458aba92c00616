#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>
#include <map>
#include <memory>
#include <string_view>
#include <vector>

#include "platform/platform.h"
#include "platform/posix/file_stamp.h"
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

// A folder's names, sorted so that a choice among them does not depend on the file system's
// order, each with its letter-case-free form for the lookup.
struct FolderNames {
    std::vector<std::string> names;
    std::vector<std::u32string> folded;
};
using SharedNames = std::shared_ptr<const FolderNames>;

struct Listing {
    posix::FileStamp stamp;
    SharedNames names;
};

// Folders listed during this run, reused while their stamp stays the same: a name added,
// removed or renamed changes the folder's stamp.
constexpr std::size_t kListingsKept = 64;
std::map<std::string, Listing>& Listings() {
    static std::map<std::string, Listing> listings;
    return listings;
}

SharedNames ReadNames(const std::string& folder) {
    auto read = std::make_shared<FolderNames>();
    DIR* dir = opendir(folder.c_str());
    if (dir == nullptr) return read;
    while (const dirent* entry = readdir(dir)) read->names.emplace_back(entry->d_name);
    closedir(dir);
    std::sort(read->names.begin(), read->names.end());
    for (const auto& name : read->names) read->folded.push_back(text::CaseFoldedName(name));
    return read;
}

// The names in a folder; an unreadable folder lists nothing.
SharedNames NamesIn(const std::string& folderOrEmpty) {
    const std::string folder = folderOrEmpty.empty() ? "." : folderOrEmpty;
    const auto stamp = posix::StampAt(folder);
    if (!stamp) return std::make_shared<FolderNames>();
    auto& listings = Listings();
    if (const auto kept = listings.find(folder); kept != listings.end()) {
        if (kept->second.stamp == *stamp) return kept->second.names;
        listings.erase(kept);
    }
    SharedNames names = ReadNames(folder);
    if (posix::IsSettled(*stamp)) {
        if (listings.size() >= kListingsKept) listings.clear();
        listings[folder] = {*stamp, names};
    }
    return names;
}

}  // namespace

std::optional<std::string> FindOrdinaryFile(const std::string& path) {
    // A NUL would cut the name short at the system call and find another file.
    if (path.find('\0') != std::string::npos) return std::nullopt;
    const SplitPath parts = Split(path);
    if (IsOrdinaryFile(path, parts.name)) return path;
    if (parts.name.empty() || parts.name.front() == '.') return std::nullopt;
    const SharedNames listing = NamesIn(parts.folder);
    const std::u32string wanted = text::CaseFoldedName(parts.name);
    for (std::size_t i = 0; i < listing->names.size(); ++i) {
        const std::string& name = listing->names[i];
        if (listing->folded[i] != wanted || name == parts.name) continue;
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
    const SharedNames listing = NamesIn(parts.folder);
    for (const auto& name : listing->names) {
        if (text::NameStartsWithIgnoringCase(name, parts.name) &&
            IsOrdinaryFile(parts.folder + name, name)) {
            return true;
        }
    }
    return false;
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
