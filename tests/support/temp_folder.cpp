#include "support/temp_folder.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <random>
#include <stdexcept>

#include "platform/platform.h"

namespace testsupport {

// Under the system's temporary folder: TMPDIR on Linux, the user's TEMP on Windows.
TempFolder::TempFolder() {
    static std::mt19937 random(std::random_device{}());
    const auto path =
        std::filesystem::temp_directory_path() / ("marquill-test-" + std::to_string(random()));
    if (!std::filesystem::create_directory(path)) throw std::runtime_error("no fresh folder");
    path_ = Utf8Of(path);
}

TempFolder::~TempFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(PathOf(path_), ignored);
}

std::string TempFolder::operator/(const std::string& name) const {
    return path_ + platform::kPathSeparator + name;
}

std::filesystem::path PathOf(const std::string& utf8) {
    return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

std::string Utf8Of(const std::filesystem::path& path) {
    const std::u8string utf8 = path.u8string();
    return std::string(utf8.begin(), utf8.end());
}

void WriteFile(const std::string& path, const std::string& bytes) {
    std::ofstream out(PathOf(path), std::ios::binary | std::ios::trunc);
    out << bytes;
    if (!out) throw std::runtime_error("cannot write " + path);
}

std::string ReadFile(const std::string& path) {
    std::ifstream in(PathOf(path), std::ios::binary);
    if (!in) throw std::runtime_error("cannot read " + path);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

bool FileExists(const std::string& path) {
    std::error_code ignored;
    return std::filesystem::is_regular_file(PathOf(path), ignored);
}

bool MakeFolder(const std::string& path) {
    std::error_code failed;
    return std::filesystem::create_directory(PathOf(path), failed);
}

std::vector<std::string> NamesIn(const std::string& folder) {
    std::vector<std::string> names;
    std::error_code missing;
    for (const auto& entry : std::filesystem::directory_iterator(PathOf(folder), missing)) {
        names.push_back(Utf8Of(entry.path().filename()));
    }
    std::sort(names.begin(), names.end());
    return names;
}

}  // namespace testsupport
