#include "poicompiler/compile.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>

#include "poicompiler/args.h"
#include "poicompiler/atomic_output.h"
#include "poicompiler/bm.h"
#include "poicompiler/bmp.h"
#include "poicompiler/chk.h"
#include "poicompiler/error.h"
#include "poicompiler/file_steps.h"
#include "poicompiler/map.h"
#include "poicompiler/poi.h"

namespace poicompiler {
namespace {

std::string ReadWholeFile(const std::filesystem::path& path) {
    const auto fail = [&path] {
        throw CompileError(path.string() + ": cannot read: " + std::strerror(errno));
    };
    const std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(OpenInput(path), &std::fclose);
    if (!file) fail();
    std::string data;
    char buffer[1 << 16];
    std::size_t n = 0;
    while ((n = std::fread(buffer, 1, sizeof buffer, file.get())) > 0) data.append(buffer, n);
    if (std::ferror(file.get())) fail();
    return data;
}

}  // namespace

void Compile(const std::vector<std::string>& argv) {
    const Args args = ParseArgs(argv);
    // Both inputs are read and checked before anything is written.
    const std::vector<Poi> pois = ParsePois(ReadWholeFile(args.data), args.data.string());
    const Icon icon = ReadBmp(ReadWholeFile(args.bitmap), args.bitmap.string());

    std::string map = EncodeMap(pois);
    std::string bm = EncodeBm(icon);
    std::string chk = EncodeChk(static_cast<std::uint32_t>(pois.size()), map, bm);
    WriteAllOrNothing({{OutputPath(args.data, ".chk"), std::move(chk)},
                       {OutputPath(args.data, ".map"), std::move(map)},
                       {OutputPath(args.data, ".bm"), std::move(bm)}});
}

}  // namespace poicompiler
