#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace poicompiler {

struct Args {
    std::filesystem::path data;
    std::filesystem::path bitmap;
};

// Accepts exactly: DATA BITMAP=ICON 16BPP APP IMPORTANCE=1 TRANSPARENT (argv without argv[0]).
Args ParseArgs(const std::vector<std::string>& argv);

// DATA with its extension replaced by `ext` (".chk", ".map", ".bm").
std::filesystem::path OutputPath(const std::filesystem::path& data, const char* ext);

}  // namespace poicompiler
