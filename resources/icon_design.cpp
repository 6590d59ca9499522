#include "icon_design.h"

#include <string_view>

namespace icon {

namespace {

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

void Stamp(std::vector<Block>& blocks, const std::array<std::string_view, 5>& rows, int x, int y, int colour) {
    for (int row = 0; row < 5; ++row) {
        for (int col = 0; col < static_cast<int>(rows[row].size()); ++col) {
            if (rows[row][col] == '#') blocks.push_back({x + col, y + row, colour});
        }
    }
}

const Glyph* Find(char letter) {
    for (const Glyph& g : kFont) {
        if (g.letter == letter) return &g;
    }
    return nullptr;
}

int TextWidth(std::string_view text) {
    int width = -1;
    for (char c : text) {
        if (const Glyph* g = Find(c)) width += static_cast<int>(g->rows[0].size()) + 1;
    }
    return width;
}

// Centred on the line; the shadow one unit down and right keeps it legible.
void Write(std::vector<Block>& blocks, std::string_view text, int y) {
    for (int pass = 0; pass < 2; ++pass) {
        int x = (kUnits - TextWidth(text)) / 2 + (pass == 0 ? 1 : 0);
        for (char c : text) {
            const Glyph* g = Find(c);
            if (g == nullptr) continue;
            Stamp(blocks, g->rows, x, y + (pass == 0 ? 1 : 0), pass == 0 ? kNavy : kYellow);
            x += static_cast<int>(g->rows[0].size()) + 1;
        }
    }
}

}  // namespace

Design Full() {
    Design design{10, {}, 1, 0, 0};
    Stamp(design.blocks, kStar, (kUnits - 5) / 2, 4, kYellow);
    Write(design.blocks, "MARROW", 12);
    Write(design.blocks, "PINE", 20);
    return design;
}

Design Small(int pixels) {
    // Whole pixels per block, so that the star stays sharp.
    const int block_pixels = pixels / 8 > 0 ? pixels / 8 : 1;
    const double unit_pixels = static_cast<double>(pixels) / kUnits;
    const double origin = (pixels - 5 * block_pixels) / 2 / unit_pixels;
    Design design{10, {}, block_pixels / unit_pixels, origin, origin};
    Stamp(design.blocks, kStar, 0, 0, kYellow);
    return design;
}

Design ForSize(int pixels) { return pixels < 32 ? Small(pixels) : Full(); }

int ColourAt(const Design& design, double u, double v) {
    int colour = kBlue;
    const double fu = kUnits - u, fv = kUnits - v;
    if (u + v < design.cut || fu + v < design.cut || u + fv < design.cut || fu + fv < design.cut) colour = kPurple;
    for (const Block& b : design.blocks) {
        const double left = design.left + b.x * design.block_size, top = design.top + b.y * design.block_size;
        if (u >= left && u < left + design.block_size && v >= top && v < top + design.block_size) colour = b.colour;
    }
    return colour;
}

std::vector<std::uint8_t> Render(const Design& design, int pixels) {
    constexpr int kSamples = 4;  // per pixel and axis
    const double unit = static_cast<double>(kUnits) / pixels;
    std::vector<std::uint8_t> rgb;
    rgb.reserve(static_cast<std::size_t>(pixels) * pixels * 3);
    for (int y = 0; y < pixels; ++y) {
        for (int x = 0; x < pixels; ++x) {
            int r = 0, g = 0, b = 0;
            for (int sy = 0; sy < kSamples; ++sy) {
                for (int sx = 0; sx < kSamples; ++sx) {
                    const Colour& c = kPalette[ColourAt(design, (x + (sx + 0.5) / kSamples) * unit,
                                                        (y + (sy + 0.5) / kSamples) * unit)];
                    r += c.r;
                    g += c.g;
                    b += c.b;
                }
            }
            constexpr int kCount = kSamples * kSamples;
            rgb.push_back(static_cast<std::uint8_t>((r + kCount / 2) / kCount));
            rgb.push_back(static_cast<std::uint8_t>((g + kCount / 2) / kCount));
            rgb.push_back(static_cast<std::uint8_t>((b + kCount / 2) / kCount));
        }
    }
    return rgb;
}

}  // namespace icon
