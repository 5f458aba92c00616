#include "poicompiler/bmp.h"

#include <cstdint>

#include "poicompiler/error.h"

namespace poicompiler {
namespace {

constexpr std::size_t kFileHeaderSize = 14;
constexpr std::uint32_t kInfoHeaderSize = 40;  // BITMAPINFOHEADER; V4/V5 extend it
constexpr std::int32_t kMaxSide = 4096;        // icons are tiny; this bounds the arithmetic

class Reader {
public:
    Reader(std::string_view bytes, const std::string& label) : bytes_(bytes), label_(label) {}

    [[noreturn]] void Fail(const std::string& why) const {
        throw CompileError(label_ + ": " + why);
    }

    std::uint32_t U32(std::size_t at) const {
        Need(at + 4);
        return Byte(at) | Byte(at + 1) << 8 | Byte(at + 2) << 16 | Byte(at + 3) << 24;
    }
    std::uint16_t U16(std::size_t at) const {
        Need(at + 2);
        return static_cast<std::uint16_t>(Byte(at) | Byte(at + 1) << 8);
    }
    std::uint32_t Byte(std::size_t at) const {
        Need(at + 1);
        return static_cast<unsigned char>(bytes_[at]);
    }
    void Need(std::size_t end) const {
        if (end > bytes_.size())
            Fail("truncated BMP file (" + std::to_string(bytes_.size()) + " bytes)");
    }

private:
    std::string_view bytes_;
    const std::string& label_;
};

}  // namespace

Icon ReadBmp(std::string_view bytes, const std::string& label) {
    const Reader in(bytes, label);
    if (bytes.size() < 2 || bytes[0] != 'B' || bytes[1] != 'M') in.Fail("not a BMP file");
    const std::uint32_t pixel_offset = in.U32(10);
    const std::uint32_t info_size = in.U32(14);
    if (info_size < kInfoHeaderSize) {
        in.Fail("unsupported BMP header of " + std::to_string(info_size) + " bytes");
    }
    const auto width = static_cast<std::int32_t>(in.U32(18));
    const auto raw_height = static_cast<std::int32_t>(in.U32(22));
    const std::uint16_t planes = in.U16(26);
    const std::uint16_t bits = in.U16(28);
    const std::uint32_t compression = in.U32(30);
    const std::uint32_t colours_used = in.U32(46);

    if (bits != 8 && bits != 24) {
        in.Fail("unsupported colour depth of " + std::to_string(bits) + " bits (need 8 or 24)");
    }
    if (compression != 0) in.Fail("compressed BMP (need uncompressed BI_RGB)");
    if (planes != 1) in.Fail("invalid BMP: " + std::to_string(planes) + " planes");
    const bool top_down = raw_height < 0;
    const std::int64_t height = top_down ? -std::int64_t{raw_height} : raw_height;
    if (width <= 0 || height == 0 || width > kMaxSide || height > kMaxSide) {
        in.Fail("unsupported icon size " + std::to_string(width) + "x" + std::to_string(height));
    }

    if (pixel_offset < kFileHeaderSize + info_size) in.Fail("invalid BMP: pixel data offset");
    std::uint16_t palette[256] = {};
    if (bits == 8) {
        const std::uint32_t count = colours_used == 0 ? 256 : colours_used;
        if (count > 256) in.Fail("invalid BMP: " + std::to_string(count) + " palette colours");
        const std::size_t start = kFileHeaderSize + info_size;
        if (start + 4 * std::size_t{count} > pixel_offset) in.Fail("palette overlaps pixel data");
        for (std::uint32_t i = 0; i < count; ++i) {
            const std::size_t at = start + 4 * std::size_t{i};
            palette[i] = Rgb565(static_cast<std::uint8_t>(in.Byte(at + 2)),
                                static_cast<std::uint8_t>(in.Byte(at + 1)),
                                static_cast<std::uint8_t>(in.Byte(at)));
        }
    }

    const std::size_t stride = (static_cast<std::size_t>(width) * bits + 31) / 32 * 4;
    in.Need(pixel_offset + stride * static_cast<std::size_t>(height));

    Icon icon;
    icon.width = static_cast<std::uint16_t>(width);
    icon.height = static_cast<std::uint16_t>(height);
    icon.pixels.reserve(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
    const std::uint32_t palette_size = colours_used == 0 ? 256 : colours_used;
    for (std::int64_t y = 0; y < height; ++y) {
        const std::int64_t stored_row = top_down ? y : height - 1 - y;
        const std::size_t row = pixel_offset + stride * static_cast<std::size_t>(stored_row);
        for (std::int32_t x = 0; x < width; ++x) {
            if (bits == 8) {
                const std::uint32_t index = in.Byte(row + static_cast<std::size_t>(x));
                if (index >= palette_size) {
                    in.Fail("pixel " + std::to_string(x) + "," + std::to_string(y) +
                            " uses colour " + std::to_string(index) + " beyond the palette");
                }
                icon.pixels.push_back(palette[index]);
            } else {
                const std::size_t at = row + 3 * static_cast<std::size_t>(x);
                icon.pixels.push_back(Rgb565(static_cast<std::uint8_t>(in.Byte(at + 2)),
                                             static_cast<std::uint8_t>(in.Byte(at + 1)),
                                             static_cast<std::uint8_t>(in.Byte(at))));
            }
        }
    }
    icon.transparent = icon.pixels.front();
    return icon;
}

}  // namespace poicompiler
