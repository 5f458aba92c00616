#include "support/temp_folder.h"

#include <fstream>
#include <iterator>
#include <random>
#include <stdexcept>

#include "platform/platform.h"

namespace testsupport {

TempFolder::TempFolder() {
    // The system's temporary folder: TMPDIR on Linux, the user's TEMP on Windows.
    const std::filesystem::path base = std::filesystem::temp_directory_path();
    std::random_device seed;
    std::mt19937 random(seed());
    for (int attempt = 0; attempt < 100; ++attempt) {
        const auto candidate = base / ("marquill-test-" + std::to_string(random()));
        if (std::filesystem::create_directory(candidate)) {
            path_ = Utf8Of(candidate);
            return;
        }
    }
    throw std::runtime_error("no fresh temporary folder");
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

}  // namespace testsupport
