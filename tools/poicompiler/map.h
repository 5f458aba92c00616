#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "poicompiler/poi.h"

namespace poicompiler {

// Z-order (Morton) key: bits of the shifted longitude on even positions, latitude on odd ones.
std::uint64_t MortonKey(std::int32_t lon, std::int32_t lat);

// The .map file: a 28-byte header, then the points in Morton order (see README.md).
std::string EncodeMap(const std::vector<Poi>& points);

}  // namespace poicompiler
