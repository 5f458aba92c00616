#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace testsupport {

// A fresh folder under the system's temporary folder, removed with everything in it. Paths are
// UTF-8 text, as the core takes them, with the system's separator.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::string& Path() const { return path_; }
    // The path of `name` inside the folder, with a trailing separator when name ends in one.
    std::string operator/(const std::string& name) const;

private:
    std::string path_;
};

// UTF-8 text as a path and back: on Windows a path made from plain char would be read in the
// ANSI code page.
std::filesystem::path PathOf(const std::string& utf8);
std::string Utf8Of(const std::filesystem::path& path);

void WriteFile(const std::string& path, const std::string& bytes);
std::string ReadFile(const std::string& path);
bool FileExists(const std::string& path);
// Makes one folder; false when it could not be made.
bool MakeFolder(const std::string& path);
// The names of everything in a folder, sorted; none when it does not exist.
std::vector<std::string> NamesIn(const std::string& folder);

}  // namespace testsupport
