#include "icon_files.h"

#include <cstdio>
#include <string_view>

namespace icon {

namespace {

std::uint32_t Crc(std::string_view bytes) {
    std::uint32_t crc = 0xFFFFFFFFu;
    for (unsigned char byte : bytes) {
        crc ^= byte;
        for (int k = 0; k < 8; ++k) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}

void PutBig32(std::string& out, std::uint32_t value) {
    for (int shift = 24; shift >= 0; shift -= 8) out += static_cast<char>((value >> shift) & 0xFF);
}

void PutLittle(std::string& out, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) out += static_cast<char>((value >> (8 * i)) & 0xFF);
}

void Chunk(std::string& png, std::string_view type, const std::string& data) {
    PutBig32(png, static_cast<std::uint32_t>(data.size()));
    const std::string typed = std::string(type) + data;
    png += typed;
    PutBig32(png, Crc(typed));
}

// zlib data in stored (uncompressed) deflate blocks, which keeps this free
// of a compression library.
std::string StoredZlib(const std::string& raw) {
    std::string zlib = "\x78\x01";
    constexpr std::size_t kMaxBlock = 65535;
    std::size_t at = 0;
    do {
        const std::size_t length = std::min(kMaxBlock, raw.size() - at);
        zlib += static_cast<char>(at + length == raw.size() ? 1 : 0);  // final block?
        PutLittle(zlib, static_cast<std::uint32_t>(length), 2);
        PutLittle(zlib, static_cast<std::uint32_t>(~length & 0xFFFF), 2);
        zlib.append(raw, at, length);
        at += length;
    } while (at < raw.size());
    std::uint32_t a = 1, b = 0;
    for (unsigned char byte : raw) {
        a = (a + byte) % 65521;
        b = (b + a) % 65521;
    }
    PutBig32(zlib, (b << 16) | a);
    return zlib;
}

std::string Png(int pixels, int depth, int colour_type, const std::string& palette, const std::string& raw) {
    std::string header;
    PutBig32(header, static_cast<std::uint32_t>(pixels));
    PutBig32(header, static_cast<std::uint32_t>(pixels));
    header += static_cast<char>(depth);
    header += static_cast<char>(colour_type);
    header += std::string(3, '\0');  // deflate, adaptive filtering, no interlace
    std::string png = "\x89PNG\r\n\x1a\n";
    Chunk(png, "IHDR", header);
    if (!palette.empty()) Chunk(png, "PLTE", palette);
    Chunk(png, "IDAT", StoredZlib(raw));
    Chunk(png, "IEND", "");
    return png;
}

}  // namespace

Indexed Picture32() {
    const Design design = Full();
    Indexed picture(kUnits, std::vector<int>(kUnits));
    for (int y = 0; y < kUnits; ++y) {
        for (int x = 0; x < kUnits; ++x) picture[y][x] = ColourAt(design, x + 0.5, y + 0.5);
    }
    return picture;
}

std::string Xpm(const Indexed& picture) {
    const int size = static_cast<int>(picture.size());
    std::string out = "/* XPM */\nstatic const char *marrowpine[] = {\n\"" + std::to_string(size) + " " +
                      std::to_string(size) + " 16 1\",\n";
    for (const Colour& c : kPalette) {
        char line[32];
        std::snprintf(line, sizeof line, "\"%c c #%02X%02X%02X\",\n", c.key, c.r, c.g, c.b);
        out += line;
    }
    for (int y = 0; y < size; ++y) {
        out += '"';
        for (int colour : picture[y]) out += kPalette[colour].key;
        out += y + 1 < size ? "\",\n" : "\"\n";
    }
    return out + "};\n";
}

std::string IndexedPng(const Indexed& picture) {
    std::string raw;
    for (const std::vector<int>& row : picture) {
        raw += '\0';  // filter: none
        for (std::size_t x = 0; x + 1 < row.size(); x += 2) raw += static_cast<char>((row[x] << 4) | row[x + 1]);
    }
    std::string palette;
    for (const Colour& c : kPalette) palette += {static_cast<char>(c.r), static_cast<char>(c.g), static_cast<char>(c.b)};
    return Png(static_cast<int>(picture.size()), 4, 3, palette, raw);
}

std::string RgbPng(const std::vector<std::uint8_t>& rgb, int pixels) {
    std::string raw;
    const std::size_t row_bytes = static_cast<std::size_t>(pixels) * 3;
    for (int y = 0; y < pixels; ++y) {
        raw += '\0';
        raw.append(reinterpret_cast<const char*>(rgb.data()) + y * row_bytes, row_bytes);
    }
    return Png(pixels, 8, 2, "", raw);
}

// One 4-bit image: a bitmap header, the palette, the colour rows bottom up,
// then an all-clear AND mask (the octagon's corners are purple, not see-through).
std::string Ico(const Indexed& picture) {
    const int size = static_cast<int>(picture.size());
    std::string image;
    PutLittle(image, 40, 4);        // header size
    PutLittle(image, size, 4);      // width
    PutLittle(image, size * 2, 4);  // height: colour rows and mask rows
    PutLittle(image, 1, 2);         // planes
    PutLittle(image, 4, 2);         // bits per pixel
    image += std::string(24, '\0');  // no compression, sizes and colour counts left to the reader
    for (const Colour& c : kPalette) {
        image += {static_cast<char>(c.b), static_cast<char>(c.g), static_cast<char>(c.r), '\0'};
    }
    for (int y = size - 1; y >= 0; --y) {
        for (int x = 0; x + 1 < size; x += 2) image += static_cast<char>((picture[y][x] << 4) | picture[y][x + 1]);
    }
    image += std::string(static_cast<std::size_t>(size) * size / 8, '\0');

    std::string ico;
    PutLittle(ico, 0, 2);  // reserved
    PutLittle(ico, 1, 2);  // an icon
    PutLittle(ico, 1, 2);  // one image
    ico += static_cast<char>(size);
    ico += static_cast<char>(size);
    ico += static_cast<char>(16);  // colours
    ico += '\0';
    PutLittle(ico, 1, 2);  // planes
    PutLittle(ico, 4, 2);  // bits per pixel
    PutLittle(ico, static_cast<std::uint32_t>(image.size()), 4);
    PutLittle(ico, 22, 4);  // the image follows this directory
    return ico + image;
}

std::string Svg(const Design& design) {
    auto hex = [](int colour) {
        char text[8];
        const Colour& c = kPalette[colour];
        std::snprintf(text, sizeof text, "#%02X%02X%02X", c.r, c.g, c.b);
        return std::string(text);
    };
    auto number = [](double value) {
        char text[32];
        std::snprintf(text, sizeof text, "%g", value);
        return std::string(text);
    };
    const std::string n = std::to_string(kUnits);
    const std::string cut = number(design.cut), far = number(kUnits - design.cut);
    std::string svg = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                      "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"256\" height=\"256\" viewBox=\"0 0 " +
                      n + " " + n + "\">\n";
    svg += "  <rect width=\"" + n + "\" height=\"" + n + "\" fill=\"" + hex(kPurple) + "\"/>\n";
    svg += "  <polygon fill=\"" + hex(kBlue) + "\" points=\"" + cut + ",0 " + far + ",0 " + n + "," + cut + " " + n +
           "," + far + " " + far + "," + n + " " + cut + "," + n + " 0," + far + " 0," + cut + "\"/>\n";
    // One path per colour, in the order the blocks cover each other.
    for (std::size_t i = 0; i < design.blocks.size();) {
        const int colour = design.blocks[i].colour;
        svg += "  <path shape-rendering=\"crispEdges\" fill=\"" + hex(colour) + "\" d=\"";
        while (i < design.blocks.size() && design.blocks[i].colour == colour) {
            // A run of blocks side by side is one rectangle, so no seam shows between them.
            const Block& b = design.blocks[i];
            std::size_t run = 1;
            while (i + run < design.blocks.size() && design.blocks[i + run].colour == colour &&
                   design.blocks[i + run].y == b.y && design.blocks[i + run].x == b.x + static_cast<int>(run)) {
                ++run;
            }
            const std::string width = number(design.block_size * static_cast<double>(run));
            svg += "M" + number(design.left + b.x * design.block_size) + " " +
                   number(design.top + b.y * design.block_size) + "h" + width + "v" + number(design.block_size) +
                   "h-" + width + "z";
            i += run;
        }
        svg += "\"/>\n";
    }
    return svg + "</svg>\n";
}

}  // namespace icon
