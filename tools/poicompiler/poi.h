#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace poicompiler {

// Coordinates in micro-degrees (degrees * 1e6), exact to the sixth decimal.
struct Poi {
    std::int32_t lon = 0;
    std::int32_t lat = 0;
    std::string name;
    std::string comment;

    bool operator==(const Poi&) const = default;
};

// Parses "longitude,latitude,name[,comment]" lines; `label` names the file in error messages.
std::vector<Poi> ParsePois(std::string_view text, const std::string& label);

// Decimal degrees to micro-degrees, rounded half away from zero at the seventh decimal.
enum class DegreeStatus { kOk, kNotANumber, kOutOfRange };
struct Degrees {
    DegreeStatus status = DegreeStatus::kNotANumber;
    std::int32_t micro = 0;
};
Degrees ParseDegrees(std::string_view text, int limit);

}  // namespace poicompiler
