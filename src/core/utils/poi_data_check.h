#pragma once

#include <cstdint>
#include <string>

namespace Utils {

// -1 when the category's data file (.csv or .asc) and icon (.bmp) are both there, else 0.
std::int16_t HasPoiData(const std::string& base);

}  // namespace Utils
