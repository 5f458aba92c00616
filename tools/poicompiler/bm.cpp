#include "poicompiler/bm.h"

#include "poicompiler/bytes.h"

namespace poicompiler {

std::string EncodeBm(const Icon& icon) {
    std::string out = "MQBM";
    PutU16(out, 1);  // format version
    PutU16(out, icon.width);
    PutU16(out, icon.height);
    PutU16(out, icon.transparent);
    out.reserve(out.size() + 2 * icon.pixels.size());
    for (const std::uint16_t p : icon.pixels) PutU16(out, p);
    return out;
}

}  // namespace poicompiler
