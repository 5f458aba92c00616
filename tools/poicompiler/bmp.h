#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace poicompiler {

// An icon in RGB565, rows from top to bottom.
struct Icon {
    std::uint16_t width = 0;
    std::uint16_t height = 0;
    std::uint16_t transparent = 0;  // the top-left pixel's colour
    std::vector<std::uint16_t> pixels;
};

constexpr std::uint16_t Rgb565(std::uint8_t r, std::uint8_t g, std::uint8_t b) {
    return static_cast<std::uint16_t>(((r >> 3) << 11) | ((g >> 2) << 5) | (b >> 3));
}

// Reads an uncompressed (BI_RGB) 8- or 24-bit BMP, bottom-up or top-down.
Icon ReadBmp(std::string_view bytes, const std::string& label);

}  // namespace poicompiler
