#pragma once

#include <cstdint>
#include <string>

namespace poicompiler {

// All binary outputs are little-endian, whatever the host.
inline void PutU16(std::string& out, std::uint16_t v) {
    out.push_back(static_cast<char>(v & 0xFF));
    out.push_back(static_cast<char>(v >> 8));
}

inline void PutU32(std::string& out, std::uint32_t v) {
    PutU16(out, static_cast<std::uint16_t>(v & 0xFFFF));
    PutU16(out, static_cast<std::uint16_t>(v >> 16));
}

inline void PutI32(std::string& out, std::int32_t v) {
    PutU32(out, static_cast<std::uint32_t>(v));
}

}  // namespace poicompiler
