#include "poicompiler/args.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <string_view>

#include "poicompiler/error.h"

namespace poicompiler {
namespace {

constexpr std::string_view kUsage =
    "usage: poicompiler DATA.asc BITMAP=ICON.bmp 16BPP APP IMPORTANCE=1 TRANSPARENT";
constexpr std::string_view kBitmapPrefix = "BITMAP=";
constexpr std::array<std::string_view, 4> kFixedTail = {"16BPP", "APP", "IMPORTANCE=1",
                                                        "TRANSPARENT"};

[[noreturn]] void Fail(const std::string& why) {
    throw CompileError(why + " (" + std::string(kUsage) + ")");
}

std::string Lower(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return s;
}

// Arguments are UTF-8 on every system; a path made from plain char would read them in the
// ANSI code page on Windows.
std::filesystem::path PathFromUtf8(const std::string& text) {
    return std::filesystem::path(std::u8string(text.begin(), text.end()));
}

}  // namespace

Args ParseArgs(const std::vector<std::string>& argv) {
    if (argv.size() != 2 + kFixedTail.size()) {
        Fail("expected 6 arguments, got " + std::to_string(argv.size()));
    }
    if (argv[0].empty()) Fail("empty data file name");
    const std::string& bitmap = argv[1];
    if (bitmap.compare(0, kBitmapPrefix.size(), kBitmapPrefix) != 0) {
        Fail("argument 2 \"" + bitmap + "\" does not start with BITMAP=");
    }
    if (bitmap.size() == kBitmapPrefix.size()) Fail("empty icon file name after BITMAP=");
    for (std::size_t i = 0; i < kFixedTail.size(); ++i) {
        if (argv[2 + i] != kFixedTail[i]) {
            Fail("argument " + std::to_string(3 + i) + " is \"" + argv[2 + i] + "\", expected " +
                 std::string(kFixedTail[i]));
        }
    }
    Args args{PathFromUtf8(argv[0]), PathFromUtf8(bitmap.substr(kBitmapPrefix.size()))};
    if (!args.data.has_filename()) Fail("data file name \"" + argv[0] + "\" names a folder");
    // An output named like the data file would overwrite the input it is made from.
    const std::string ext = Lower(args.data.extension().string());
    if (ext == ".chk" || ext == ".map" || ext == ".bm") {
        Fail("data file \"" + argv[0] + "\" has an output extension");
    }
    for (const char* out : {".chk", ".map", ".bm"}) {
        if (args.bitmap.lexically_normal() == OutputPath(args.data, out).lexically_normal()) {
            Fail("icon \"" + args.bitmap.string() + "\" would be overwritten by the output");
        }
    }
    return args;
}

std::filesystem::path OutputPath(const std::filesystem::path& data, const char* ext) {
    std::filesystem::path out = data;
    out.replace_extension(ext);
    return out;
}

}  // namespace poicompiler
