#include "poicompiler/map.h"

#include <algorithm>
#include <limits>

#include "poicompiler/bytes.h"
#include "poicompiler/error.h"

namespace poicompiler {
namespace {

constexpr std::int64_t kLonShift = 180'000'000;
constexpr std::int64_t kLatShift = 90'000'000;

std::uint64_t SpreadBits(std::uint32_t v) {
    std::uint64_t x = v;
    x = (x | x << 16) & 0x0000FFFF0000FFFFULL;
    x = (x | x << 8) & 0x00FF00FF00FF00FFULL;
    x = (x | x << 4) & 0x0F0F0F0F0F0F0F0FULL;
    x = (x | x << 2) & 0x3333333333333333ULL;
    x = (x | x << 1) & 0x5555555555555555ULL;
    return x;
}

}  // namespace

std::uint64_t MortonKey(std::int32_t lon, std::int32_t lat) {
    const auto x = static_cast<std::uint32_t>(lon + kLonShift);
    const auto y = static_cast<std::uint32_t>(lat + kLatShift);
    return SpreadBits(x) | SpreadBits(y) << 1;
}

std::string EncodeMap(const std::vector<Poi>& points) {
    if (points.size() > std::numeric_limits<std::uint32_t>::max()) {
        throw CompileError("too many points for the .map format");
    }
    std::vector<std::pair<std::uint64_t, std::size_t>> order;
    order.reserve(points.size());
    for (std::size_t i = 0; i < points.size(); ++i) {
        order.emplace_back(MortonKey(points[i].lon, points[i].lat), i);
    }
    // Ties keep input order, so equal input gives byte-identical output.
    std::sort(order.begin(), order.end());

    std::int32_t min_lon = 0, min_lat = 0, max_lon = 0, max_lat = 0;
    if (!points.empty()) {
        min_lon = max_lon = points.front().lon;
        min_lat = max_lat = points.front().lat;
    }
    std::size_t text_bytes = 0;
    for (const Poi& p : points) {
        min_lon = std::min(min_lon, p.lon);
        max_lon = std::max(max_lon, p.lon);
        min_lat = std::min(min_lat, p.lat);
        max_lat = std::max(max_lat, p.lat);
        text_bytes += p.name.size() + p.comment.size();
    }

    std::string out = "MQMP";
    out.reserve(28 + 12 * points.size() + text_bytes);
    PutU16(out, 1);  // format version
    PutU16(out, 0);  // reserved
    PutU32(out, static_cast<std::uint32_t>(points.size()));
    PutI32(out, min_lon);
    PutI32(out, min_lat);
    PutI32(out, max_lon);
    PutI32(out, max_lat);
    for (const auto& [key, index] : order) {
        const Poi& p = points[index];
        PutI32(out, p.lon);
        PutI32(out, p.lat);
        PutU16(out, static_cast<std::uint16_t>(p.name.size()));
        out += p.name;
        PutU16(out, static_cast<std::uint16_t>(p.comment.size()));
        out += p.comment;
    }
    if (out.size() > std::numeric_limits<std::uint32_t>::max()) {
        throw CompileError("the .map output would exceed 4 GiB");
    }
    return out;
}

}  // namespace poicompiler
