// Writes the Windows icon (.ico, 32 x 32, 256 colours) of an XPM picture, so that the XPM stays
// the one picture to edit: xpm_to_ico PICTURE.xpm ICON.ico
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <map>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

struct Picture {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> palette;           // 0xRRGGBB; index 0 is the see-through black
    std::vector<std::vector<std::uint8_t>> rows;  // top row first
};

// The XPM's strings in their order: the values line, the colours, the rows.
std::vector<std::string> QuotedStrings(const std::string& text) {
    std::vector<std::string> strings;
    for (std::size_t open = text.find('"'); open != std::string::npos;) {
        const std::size_t close = text.find('"', open + 1);
        if (close == std::string::npos) throw std::runtime_error("unclosed string");
        strings.push_back(text.substr(open + 1, close - open - 1));
        open = text.find('"', close + 1);
    }
    return strings;
}

Picture ReadXpm(const std::string& text) {
    const auto strings = QuotedStrings(text);
    Picture picture;
    int colours = 0;
    int charsPerPixel = 0;
    if (strings.empty() ||
        !(std::istringstream(strings[0]) >> picture.width >> picture.height >> colours >>
          charsPerPixel) ||
        charsPerPixel != 1 || colours > 255 ||
        strings.size() != 1u + static_cast<std::size_t>(colours + picture.height)) {
        throw std::runtime_error("not a one-character XPM of at most 255 colours");
    }
    picture.palette.push_back(0);
    std::map<char, std::uint8_t> index;
    for (int i = 1; i <= colours; ++i) {
        const std::string& entry = strings[static_cast<std::size_t>(i)];
        const std::size_t colour = entry.find(" c ");
        if (colour == std::string::npos) throw std::runtime_error("colour without c: " + entry);
        const std::string value = entry.substr(colour + 3);
        if (value == "None") {
            index[entry[0]] = 0;
        } else if (value.size() == 7 && value[0] == '#') {
            index[entry[0]] = static_cast<std::uint8_t>(picture.palette.size());
            picture.palette.push_back(std::stoul(value.substr(1), nullptr, 16));
        } else {
            throw std::runtime_error("colour is neither #RRGGBB nor None: " + entry);
        }
    }
    for (int y = 0; y < picture.height; ++y) {
        const std::string& row = strings[static_cast<std::size_t>(1 + colours + y)];
        if (static_cast<int>(row.size()) != picture.width) throw std::runtime_error("short row");
        std::vector<std::uint8_t> pixels;
        for (const char key : row) {
            const auto found = index.find(key);
            if (found == index.end()) throw std::runtime_error("pixel of no colour");
            pixels.push_back(found->second);
        }
        picture.rows.push_back(pixels);
    }
    return picture;
}

void Put16(std::string& out, unsigned value) {
    out += static_cast<char>(value & 0xFF);
    out += static_cast<char>((value >> 8) & 0xFF);
}

void Put32(std::string& out, unsigned value) {
    Put16(out, value & 0xFFFF);
    Put16(out, value >> 16);
}

// One 8-bit image: the colour bits, then the mask (1: see-through), both bottom row first.
std::string IconFile(const Picture& picture) {
    constexpr unsigned kPaletteSize = 256;
    const unsigned width = static_cast<unsigned>(picture.width);
    const unsigned height = static_cast<unsigned>(picture.height);
    const unsigned colourRow = (width + 3) / 4 * 4;
    const unsigned maskRow = (width + 31) / 32 * 4;
    const unsigned imageSize = 40 + kPaletteSize * 4 + (colourRow + maskRow) * height;

    std::string out;
    Put16(out, 0);  // the directory: one icon
    Put16(out, 1);
    Put16(out, 1);
    out += static_cast<char>(width);
    out += static_cast<char>(height);
    out += '\0';  // 256 colours
    out += '\0';
    Put16(out, 1);  // planes
    Put16(out, 8);  // bits per pixel
    Put32(out, imageSize);
    Put32(out, 22);

    Put32(out, 40);  // BITMAPINFOHEADER; the height counts the mask too
    Put32(out, width);
    Put32(out, height * 2);
    Put16(out, 1);
    Put16(out, 8);
    Put32(out, 0);
    Put32(out, (colourRow + maskRow) * height);
    Put32(out, 0);
    Put32(out, 0);
    Put32(out, kPaletteSize);
    Put32(out, 0);
    for (unsigned i = 0; i < kPaletteSize; ++i) {
        const std::uint32_t rgb = i < picture.palette.size() ? picture.palette[i] : 0;
        out += static_cast<char>(rgb & 0xFF);
        out += static_cast<char>((rgb >> 8) & 0xFF);
        out += static_cast<char>((rgb >> 16) & 0xFF);
        out += '\0';
    }
    for (auto row = picture.rows.rbegin(); row != picture.rows.rend(); ++row) {
        std::string bits(colourRow, '\0');
        for (unsigned x = 0; x < width; ++x) bits[x] = static_cast<char>((*row)[x]);
        out += bits;
    }
    for (auto row = picture.rows.rbegin(); row != picture.rows.rend(); ++row) {
        std::string bits(maskRow, '\0');
        for (unsigned x = 0; x < width; ++x) {
            if ((*row)[x] == 0) bits[x / 8] = static_cast<char>(bits[x / 8] | (0x80 >> (x % 8)));
        }
        out += bits;
    }
    return out;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fputs("usage: xpm_to_ico PICTURE.xpm ICON.ico\n", stderr);
        return 2;
    }
    try {
        std::ifstream in(argv[1], std::ios::binary);
        if (!in) throw std::runtime_error("cannot read the picture");
        const std::string icon = IconFile(
            ReadXpm({std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()}));
        std::ofstream out(argv[2], std::ios::binary | std::ios::trunc);
        if (!out.write(icon.data(), static_cast<std::streamsize>(icon.size())) || !out.flush()) {
            throw std::runtime_error("cannot write the icon");
        }
    } catch (const std::exception& failure) {
        std::fprintf(stderr, "xpm_to_ico: %s: %s\n", argv[1], failure.what());
        return 1;
    }
    return 0;
}
