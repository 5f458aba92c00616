#include "test_support.hpp"

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace pctest {

TempDir::TempDir() {
    std::string pattern = (fs::temp_directory_path() / "poicompiler_test_XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
    path_ = pattern;
}

TempDir::~TempDir() {
    std::error_code ec;
    fs::remove_all(path_, ec);
}

std::set<std::string> TempDir::Names() const {
    std::set<std::string> names;
    for (const auto& e : fs::directory_iterator(path_)) names.insert(e.path().filename());
    return names;
}

RunResult RunCompiler(const std::vector<std::string>& args, long file_size_limit) {
    const TempDir logs;
    const fs::path err_path = logs / "stderr";
    const pid_t pid = ::fork();
    if (pid < 0) throw std::runtime_error("fork failed");
    if (pid == 0) {
        const int err = ::open(err_path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        const int null = ::open("/dev/null", O_RDWR);
        if (err < 0 || null < 0) ::_exit(126);
        ::dup2(null, 0);
        ::dup2(null, 1);
        ::dup2(err, 2);
        if (file_size_limit > 0) {
            // A write past the limit then fails with EFBIG instead of killing the process.
            std::signal(SIGXFSZ, SIG_IGN);
            const rlimit limit{static_cast<rlim_t>(file_size_limit),
                               static_cast<rlim_t>(file_size_limit)};
            ::setrlimit(RLIMIT_FSIZE, &limit);
        }
        std::vector<char*> argv;
        std::string exe = POICOMPILER_EXE;
        argv.push_back(exe.data());
        std::vector<std::string> copy = args;
        for (std::string& a : copy) argv.push_back(a.data());
        argv.push_back(nullptr);
        ::execv(exe.c_str(), argv.data());
        ::_exit(127);
    }
    int status = 0;
    ::waitpid(pid, &status, 0);
    RunResult result;
    result.exit_code = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    result.err = ReadFile(err_path);
    return result;
}

std::vector<std::string> StandardArgs(const fs::path& data, const fs::path& icon) {
    return {data.string(), "BITMAP=" + icon.string(), "16BPP", "APP", "IMPORTANCE=1",
            "TRANSPARENT"};
}

void WriteFile(const fs::path& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary);
    out << bytes;
    if (!out) throw std::runtime_error("cannot write " + path.string());
}

std::string ReadFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw std::runtime_error("cannot read " + path.string());
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

namespace {

void Put(std::string& out, std::uint32_t v, int bytes) {
    for (int i = 0; i < bytes; ++i) out.push_back(static_cast<char>((v >> (8 * i)) & 0xFF));
}

}  // namespace

std::string MakeBmp(int width, int height, int bits, bool top_down,
                    const std::function<Rgb(int, int)>& at) {
    // At 8 bits every pixel gets its own palette entry, so test icons stay within 256 pixels.
    std::string palette;
    const int stride = (width * bits + 31) / 32 * 4;
    std::string pixels;
    for (int row = 0; row < height; ++row) {
        const int y = top_down ? row : height - 1 - row;
        std::string line;
        for (int x = 0; x < width; ++x) {
            const Rgb c = at(x, y);
            const std::string bgr{static_cast<char>(c.b), static_cast<char>(c.g),
                                  static_cast<char>(c.r)};
            if (bits == 8) {
                line.push_back(static_cast<char>(palette.size() / 4));
                palette += bgr + '\0';
            } else {
                line += bgr;
            }
        }
        line.resize(static_cast<std::size_t>(stride), '\0');
        pixels += line;
    }
    const auto offset = static_cast<std::uint32_t>(14 + 40 + palette.size());
    std::string out = "BM";
    const auto put = [&out](std::size_t v, int bytes) {
        Put(out, static_cast<std::uint32_t>(v), bytes);
    };
    put(offset + pixels.size(), 4);
    put(0, 4);
    put(offset, 4);
    put(40, 4);
    put(static_cast<std::size_t>(width), 4);
    put(static_cast<std::uint32_t>(top_down ? -height : height), 4);
    put(1, 2);
    put(static_cast<std::size_t>(bits), 2);
    put(0, 4);  // BI_RGB
    put(pixels.size(), 4);
    put(2835, 4);
    put(2835, 4);
    put(palette.size() / 4, 4);
    put(0, 4);
    return out + palette + pixels;
}

std::uint32_t Le32(const std::string& bytes, std::size_t at) {
    return static_cast<std::uint32_t>(Le16(bytes, at)) |
           static_cast<std::uint32_t>(Le16(bytes, at + 2)) << 16;
}

std::uint16_t Le16(const std::string& bytes, std::size_t at) {
    const auto b = [&](std::size_t i) { return static_cast<unsigned char>(bytes.at(i)); };
    return static_cast<std::uint16_t>(b(at) | b(at + 1) << 8);
}

}  // namespace pctest
