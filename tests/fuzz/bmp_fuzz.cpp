// The stand-in compiler's icon reader: any bytes are read or refused with a message.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "poicompiler/bmp.h"
#include "poicompiler/error.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    try {
        const poicompiler::Icon icon = poicompiler::ReadBmp(
            std::string_view(reinterpret_cast<const char*>(data), size), "fuzz.bmp");
        if (icon.pixels.size() != std::size_t{icon.width} * icon.height) std::abort();
    } catch (const poicompiler::CompileError&) {
    }
    return 0;
}
