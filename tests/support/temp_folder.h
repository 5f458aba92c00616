#pragma once

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <stdexcept>
#include <string>
#include <vector>

namespace testsupport {

// UTF-8 text as a path and back: on Windows a path made from plain char would be read in the
// ANSI code page.
inline std::filesystem::path PathOf(const std::string& utf8) {
    return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

inline std::string Utf8Of(const std::filesystem::path& path) {
    const std::u8string utf8 = path.u8string();
    return std::string(utf8.begin(), utf8.end());
}

// A fresh folder under the system's temporary folder (TMPDIR on Linux, the user's TEMP on
// Windows), removed with everything in it. Paths are UTF-8 text, as the core takes them, with
// the system's separator.
class TempFolder {
public:
    TempFolder() {
        static std::mt19937 random(std::random_device{}());
        const auto path =
            std::filesystem::temp_directory_path() / ("marquill-test-" + std::to_string(random()));
        if (!std::filesystem::create_directory(path)) throw std::runtime_error("no fresh folder");
        path_ = Utf8Of(path);
    }
    ~TempFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(PathOf(path_), ignored);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::string& Path() const { return path_; }
    // The path of `name` inside the folder, with a trailing separator when name ends in one.
    std::string operator/(const std::string& name) const {
        return path_ + static_cast<char>(std::filesystem::path::preferred_separator) + name;
    }

private:
    std::string path_;
};

inline void WriteFile(const std::string& path, const std::string& bytes) {
    std::ofstream out(PathOf(path), std::ios::binary | std::ios::trunc);
    if (!(out << bytes)) throw std::runtime_error("cannot write " + path);
}

inline std::string ReadFile(const std::string& path) {
    std::ifstream in(PathOf(path), std::ios::binary);
    if (!in) throw std::runtime_error("cannot read " + path);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline bool FileExists(const std::string& path) {
    return std::filesystem::is_regular_file(PathOf(path));
}

// Makes one folder; false when it could not be made.
inline bool MakeFolder(const std::string& path) {
    std::error_code failed;
    return std::filesystem::create_directory(PathOf(path), failed);
}

// The names of everything in a folder, sorted; none when it does not exist.
inline std::vector<std::string> NamesIn(const std::string& folder) {
    std::vector<std::string> names;
    std::error_code missing;
    for (const auto& entry : std::filesystem::directory_iterator(PathOf(folder), missing))
        names.push_back(Utf8Of(entry.path().filename()));
    std::ranges::sort(names);
    return names;
}

}  // namespace testsupport
