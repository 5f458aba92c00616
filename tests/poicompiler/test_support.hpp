#pragma once

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace pctest {

namespace fs = std::filesystem;

// A fresh folder under the system temp folder, removed with everything in it.
struct TempDir {
    fs::path path;
    TempDir() {
        std::string pattern = (fs::temp_directory_path() / "poicompiler_test_XXXXXX").string();
        if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
        path = pattern;
    }
    ~TempDir() {
        std::error_code ec;
        fs::remove_all(path, ec);
    }
    fs::path operator/(const std::string& name) const { return path / name; }
    std::set<fs::path> Names() const { return {fs::directory_iterator(path), {}}; }
};

inline void WriteFile(const fs::path& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary);
    if (!(out << bytes)) throw std::runtime_error("cannot write " + path.string());
}

inline std::string ReadFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

// Runs the built program; gives its wait status (0: exited with 0) and its stderr. With
// `limit_blocks` > 0 every file it writes is capped at that many 512-byte blocks, and a longer
// write fails instead of killing it.
inline std::pair<int, std::string> RunCompiler(const std::vector<std::string>& args,
                                               int limit_blocks = 0) {
    const TempDir log;
    std::string cmd = "trap '' XFSZ; ";
    if (limit_blocks > 0) cmd += "ulimit -f " + std::to_string(limit_blocks) + "; ";
    cmd += "exec '" POICOMPILER_EXE "'";
    for (const std::string& a : args) cmd += " '" + a + "'";  // test arguments hold no quote
    const int status =
        std::system((cmd + " </dev/null >/dev/null 2>" + (log / "err").string()).c_str());
    return {status, ReadFile(log / "err")};
}

inline std::vector<std::string> StandardArgs(const fs::path& data, const fs::path& icon) {
    return {data, "BITMAP=" + icon.string(), "16BPP", "APP", "IMPORTANCE=1", "TRANSPARENT"};
}

// Writes the data file D.asc and the icon D.bmp into `dir` and compiles them; gives the status.
inline int Compile(const TempDir& dir, const std::string& data, const std::string& icon) {
    WriteFile(dir / "D.asc", data);
    WriteFile(dir / "D.bmp", icon);
    return RunCompiler(StandardArgs(dir / "D.asc", dir / "D.bmp")).first;
}

// Each value as a little-endian field of `size` bytes.
template <class... Values>
std::string LeBytes(int size, Values... values) {
    std::string out;
    for (const std::int64_t v : {static_cast<std::int64_t>(values)...}) {
        for (int i = 0; i < size; ++i) out.push_back(static_cast<char>(v >> (8 * i)));
    }
    return out;
}

inline std::uint32_t Le(const std::string& bytes, std::size_t at, int size = 4) {
    std::uint32_t value = 0;
    for (int i = size - 1; i >= 0; --i) value = value << 8 | (bytes.at(at + i) & 0xFF);
    return value;
}

// An uncompressed BMP; `at(x, y)` gives the pixel as 0xRRGGBB with y = 0 the top row. At 8 bits
// every pixel gets its own palette entry, so such icons stay within 256 pixels.
inline std::string MakeBmp(int width, int height, int bits, bool top_down,
                           std::uint32_t (*at)(int, int)) {
    std::string palette, pixels;
    for (int row = 0; row < height; ++row) {
        const int y = top_down ? row : height - 1 - row;
        std::string line;
        for (int x = 0; x < width; ++x) {
            const std::string bgr = LeBytes(3, at(x, y));  // 0xRRGGBB stored low byte first
            line += bits == 8 ? LeBytes(1, palette.size() / 4) : bgr;
            if (bits == 8) palette += bgr + '\0';
        }
        line.resize(static_cast<std::size_t>((width * bits + 31) / 32 * 4), '\0');
        pixels += line;
    }
    const std::size_t offset = 54 + palette.size(), size = pixels.size();
    return "BM" +
           LeBytes(4, offset + size, 0, offset, 40, width, top_down ? -height : height,
                   1 | bits << 16, 0, size, 2835, 2835, palette.size() / 4, 0) +
           palette + pixels;
}

}  // namespace pctest
