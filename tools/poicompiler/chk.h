#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace poicompiler {

// CRC-32 as in zlib and PNG: reflected polynomial 0xEDB88320, initial and final XOR 0xFFFFFFFF.
std::uint32_t Crc32(std::string_view bytes);

// The .chk file: 28 bytes of counts and checksums of the other two outputs (see README.md).
std::string EncodeChk(std::uint32_t point_count, std::string_view map, std::string_view bm);

}  // namespace poicompiler
