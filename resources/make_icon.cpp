// make-icon: draws the program's 32 x 32, 16-colour icon and writes it as
// XPM (compiled into the program), as indexed PNG (for desktop menus) and as
// a 16-colour ICO (the Windows program file's own icon).
//
//   make-icon OUT.xpm OUT.png OUT.ico
//
// The picture: the product name in yellow capitals under a small star, on a
// blue octagon whose cut-off corners are purple.

#include <array>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <string>
#include <string_view>
#include <vector>

namespace {

constexpr int kSize = 32;

// The sixteen colours of the classic 16-colour palette.
struct Colour {
    char key;
    std::uint8_t r, g, b;
};
constexpr std::array<Colour, 16> kPalette = {{
    {'k', 0x00, 0x00, 0x00}, {'r', 0x80, 0x00, 0x00}, {'g', 0x00, 0x80, 0x00}, {'o', 0x80, 0x80, 0x00},
    {'n', 0x00, 0x00, 0x80}, {'p', 0x80, 0x00, 0x80}, {'t', 0x00, 0x80, 0x80}, {'s', 0xC0, 0xC0, 0xC0},
    {'d', 0x80, 0x80, 0x80}, {'R', 0xFF, 0x00, 0x00}, {'G', 0x00, 0xFF, 0x00}, {'Y', 0xFF, 0xFF, 0x00},
    {'B', 0x00, 0x00, 0xFF}, {'M', 0xFF, 0x00, 0xFF}, {'C', 0x00, 0xFF, 0xFF}, {'W', 0xFF, 0xFF, 0xFF},
}};
constexpr int kNavy = 4, kPurple = 5, kYellow = 11, kBlue = 12;

// Glyphs five rows high; '#' is ink.
struct Glyph {
    char letter;
    std::array<std::string_view, 5> rows;
};
constexpr std::array<Glyph, 9> kFont = {{
    {'M', {"#...#", "##.##", "#.#.#", "#...#", "#...#"}},
    {'A', {".#.", "#.#", "###", "#.#", "#.#"}},
    {'R', {"##.", "#.#", "##.", "#.#", "#.#"}},
    {'O', {".#.", "#.#", "#.#", "#.#", ".#."}},
    {'W', {"#...#", "#...#", "#.#.#", "##.##", "#...#"}},
    {'P', {"##.", "#.#", "##.", "#..", "#.."}},
    {'I', {"###", ".#.", ".#.", ".#.", "###"}},
    {'N', {"#..#", "##.#", "#.##", "#..#", "#..#"}},
    {'E', {"###", "#..", "##.", "#..", "###"}},
}};
constexpr std::array<std::string_view, 5> kStar = {"..#..", "#####", ".###.", ".#.#.", "#...#"};

using Picture = std::array<std::array<int, kSize>, kSize>;

void Stamp(Picture& picture, const std::array<std::string_view, 5>& rows, int x, int y, int colour) {
    for (int row = 0; row < 5; ++row) {
        for (int col = 0; col < static_cast<int>(rows[row].size()); ++col) {
            if (rows[row][col] == '#') picture[y + row][x + col] = colour;
        }
    }
}

int TextWidth(std::string_view text) {
    int width = -1;
    for (char c : text) {
        for (const Glyph& g : kFont) {
            if (g.letter == c) width += static_cast<int>(g.rows[0].size()) + 1;
        }
    }
    return width;
}

// Centred on the line; the shadow one pixel down and right keeps it legible.
void Write(Picture& picture, std::string_view text, int y) {
    for (int pass = 0; pass < 2; ++pass) {
        int x = (kSize - TextWidth(text)) / 2 + (pass == 0 ? 1 : 0);
        for (char c : text) {
            for (const Glyph& g : kFont) {
                if (g.letter != c) continue;
                Stamp(picture, g.rows, x, y + (pass == 0 ? 1 : 0), pass == 0 ? kNavy : kYellow);
                x += static_cast<int>(g.rows[0].size()) + 1;
            }
        }
    }
}

Picture Draw() {
    Picture picture{};
    constexpr int kCut = 9;  // how far the octagon's corners are cut in
    for (int y = 0; y < kSize; ++y) {
        for (int x = 0; x < kSize; ++x) {
            const int fx = kSize - 1 - x, fy = kSize - 1 - y;
            const bool corner = x + y < kCut || fx + y < kCut || x + fy < kCut || fx + fy < kCut;
            picture[y][x] = corner ? kPurple : kBlue;
        }
    }
    Stamp(picture, kStar, (kSize - 5) / 2, 4, kYellow);
    Write(picture, "MARROW", 12);
    Write(picture, "PINE", 20);
    return picture;
}

std::string Xpm(const Picture& picture) {
    std::string out = "/* XPM */\nstatic const char *marrowpine[] = {\n\"32 32 16 1\",\n";
    for (const Colour& c : kPalette) {
        char line[32];
        std::snprintf(line, sizeof line, "\"%c c #%02X%02X%02X\",\n", c.key, c.r, c.g, c.b);
        out += line;
    }
    for (int y = 0; y < kSize; ++y) {
        out += '"';
        for (int x = 0; x < kSize; ++x) out += kPalette[picture[y][x]].key;
        out += y + 1 < kSize ? "\",\n" : "\"\n";
    }
    return out + "};\n";
}

std::uint32_t Crc(const std::string& bytes) {
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

void Chunk(std::string& png, std::string_view type, const std::string& data) {
    PutBig32(png, static_cast<std::uint32_t>(data.size()));
    const std::string typed = std::string(type) + data;
    png += typed;
    PutBig32(png, Crc(typed));
}

// A 4-bit indexed PNG; the image data goes into one stored (uncompressed)
// deflate block, which keeps this free of a compression library.
std::string Png(const Picture& picture) {
    std::string raw;
    for (int y = 0; y < kSize; ++y) {
        raw += '\0';  // filter: none
        for (int x = 0; x < kSize; x += 2) {
            raw += static_cast<char>((picture[y][x] << 4) | picture[y][x + 1]);
        }
    }
    std::string zlib = "\x78\x01";
    zlib += '\x01';  // final stored block
    const auto length = static_cast<std::uint16_t>(raw.size());
    zlib += static_cast<char>(length & 0xFF);
    zlib += static_cast<char>(length >> 8);
    zlib += static_cast<char>(~length & 0xFF);
    zlib += static_cast<char>((~length >> 8) & 0xFF);
    zlib += raw;
    std::uint32_t a = 1, b = 0;
    for (unsigned char byte : raw) {
        a = (a + byte) % 65521;
        b = (b + a) % 65521;
    }
    PutBig32(zlib, (b << 16) | a);

    std::string header;
    PutBig32(header, kSize);
    PutBig32(header, kSize);
    header += std::string("\x04\x03\x00\x00\x00", 5);  // depth 4, indexed
    std::string palette;
    for (const Colour& c : kPalette) {
        palette += static_cast<char>(c.r);
        palette += static_cast<char>(c.g);
        palette += static_cast<char>(c.b);
    }
    std::string png = "\x89PNG\r\n\x1a\n";
    Chunk(png, "IHDR", header);
    Chunk(png, "PLTE", palette);
    Chunk(png, "IDAT", zlib);
    Chunk(png, "IEND", "");
    return png;
}

void PutLittle(std::string& out, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) out += static_cast<char>((value >> (8 * i)) & 0xFF);
}

// One 4-bit image: a bitmap header, the palette, the colour rows bottom up,
// then an all-clear AND mask (the octagon's corners are purple, not see-through).
std::string Ico(const Picture& picture) {
    std::string image;
    PutLittle(image, 40, 4);         // header size
    PutLittle(image, kSize, 4);      // width
    PutLittle(image, kSize * 2, 4);  // height: colour rows and mask rows
    PutLittle(image, 1, 2);          // planes
    PutLittle(image, 4, 2);          // bits per pixel
    image += std::string(24, '\0');  // no compression, sizes and colour counts left to the reader
    for (const Colour& c : kPalette) {
        image += static_cast<char>(c.b);
        image += static_cast<char>(c.g);
        image += static_cast<char>(c.r);
        image += '\0';
    }
    for (int y = kSize - 1; y >= 0; --y) {
        for (int x = 0; x < kSize; x += 2) image += static_cast<char>((picture[y][x] << 4) | picture[y][x + 1]);
    }
    image += std::string(kSize * kSize / 8, '\0');

    std::string ico;
    PutLittle(ico, 0, 2);  // reserved
    PutLittle(ico, 1, 2);  // an icon
    PutLittle(ico, 1, 2);  // one image
    ico += static_cast<char>(kSize);
    ico += static_cast<char>(kSize);
    ico += static_cast<char>(16);  // colours
    ico += '\0';
    PutLittle(ico, 1, 2);  // planes
    PutLittle(ico, 4, 2);  // bits per pixel
    PutLittle(ico, static_cast<std::uint32_t>(image.size()), 4);
    PutLittle(ico, 22, 4);  // the image follows this directory
    return ico + image;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: make-icon OUT.xpm OUT.png OUT.ico\n");
        return 2;
    }
    const Picture picture = Draw();
    std::ofstream(argv[1], std::ios::binary) << Xpm(picture);
    std::ofstream(argv[2], std::ios::binary) << Png(picture);
    std::ofstream(argv[3], std::ios::binary) << Ico(picture);
    return 0;
}
