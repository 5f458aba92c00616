#include "poicompiler/chk.h"

#include <array>

#include "poicompiler/bytes.h"

namespace poicompiler {
namespace {

constexpr std::array<std::uint32_t, 256> MakeTable() {
    std::array<std::uint32_t, 256> table{};
    for (std::uint32_t n = 0; n < 256; ++n) {
        std::uint32_t c = n;
        for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320U ^ (c >> 1) : c >> 1;
        table[n] = c;
    }
    return table;
}

constexpr std::array<std::uint32_t, 256> kTable = MakeTable();

}  // namespace

std::uint32_t Crc32(std::string_view bytes) {
    std::uint32_t c = 0xFFFFFFFFU;
    for (const char ch : bytes) c = kTable[(c ^ static_cast<unsigned char>(ch)) & 0xFF] ^ (c >> 8);
    return c ^ 0xFFFFFFFFU;
}

std::string EncodeChk(std::uint32_t point_count, std::string_view map, std::string_view bm) {
    std::string out = "MQCK";
    PutU16(out, 1);  // format version
    PutU16(out, 0);  // reserved
    PutU32(out, point_count);
    PutU32(out, static_cast<std::uint32_t>(map.size()));
    PutU32(out, Crc32(map));
    PutU32(out, static_cast<std::uint32_t>(bm.size()));
    PutU32(out, Crc32(bm));
    return out;
}

}  // namespace poicompiler
