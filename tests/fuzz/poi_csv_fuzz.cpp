// The stand-in compiler's data file reader: any text is read or refused with a message.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "poicompiler/error.h"
#include "poicompiler/poi.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    try {
        const auto pois = poicompiler::ParsePois(
            std::string_view(reinterpret_cast<const char*>(data), size), "fuzz.asc");
        for (const poicompiler::Poi& poi : pois) {
            const bool inRange = poi.lon >= -180'000'000 && poi.lon <= 180'000'000 &&
                                 poi.lat >= -90'000'000 && poi.lat <= 90'000'000;
            if (!inRange || poi.name.empty()) std::abort();
        }
    } catch (const poicompiler::CompileError&) {
    }
    return 0;
}
