#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <set>
#include <string>
#include <vector>

namespace pctest {

namespace fs = std::filesystem;

// A fresh folder under the system temp folder, removed with everything in it.
class TempDir {
  public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const fs::path& path() const { return path_; }
    fs::path operator/(const std::string& name) const { return path_ / name; }
    std::set<std::string> Names() const;

  private:
    fs::path path_;
};

struct RunResult {
    int exit_code = -1;
    std::string err;
};

// Runs the built poicompiler; `file_size_limit` > 0 caps the size of every file it writes.
RunResult RunCompiler(const std::vector<std::string>& args, long file_size_limit = 0);

std::vector<std::string> StandardArgs(const fs::path& data, const fs::path& icon);

void WriteFile(const fs::path& path, const std::string& bytes);
std::string ReadFile(const fs::path& path);

struct Rgb {
    std::uint8_t r, g, b;
};
// An uncompressed BMP; `at(x, y)` gives the pixel with y = 0 the top row.
std::string MakeBmp(int width, int height, int bits, bool top_down,
                    const std::function<Rgb(int, int)>& at);

std::uint32_t Le32(const std::string& bytes, std::size_t at);
std::uint16_t Le16(const std::string& bytes, std::size_t at);

}  // namespace pctest
