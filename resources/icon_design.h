#pragma once

// The program's icon as one design in a 32 x 32 unit square, drawn at any
// size: the product name in yellow capitals with a navy shadow under a small
// star, on a blue octagon whose cut-off corners are purple.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace icon {

struct Colour {
    char key;  // the XPM key
    std::uint8_t r, g, b;
};

// The classic 16-colour palette; the 32 x 32 picture uses only these.
inline constexpr std::array<Colour, 16> kPalette = {{
    {'k', 0x00, 0x00, 0x00}, {'r', 0x80, 0x00, 0x00}, {'g', 0x00, 0x80, 0x00}, {'o', 0x80, 0x80, 0x00},
    {'n', 0x00, 0x00, 0x80}, {'p', 0x80, 0x00, 0x80}, {'t', 0x00, 0x80, 0x80}, {'s', 0xC0, 0xC0, 0xC0},
    {'d', 0x80, 0x80, 0x80}, {'R', 0xFF, 0x00, 0x00}, {'G', 0x00, 0xFF, 0x00}, {'Y', 0xFF, 0xFF, 0x00},
    {'B', 0x00, 0x00, 0xFF}, {'M', 0xFF, 0x00, 0xFF}, {'C', 0x00, 0xFF, 0xFF}, {'W', 0xFF, 0xFF, 0xFF},
}};
inline constexpr int kNavy = 4, kPurple = 5, kYellow = 11, kBlue = 12;
inline constexpr int kUnits = 32;

// A unit square of ink at (x, y), in one palette colour.
struct Block {
    int x, y, colour;
};

struct Design {
    // The octagon's corners are cut this far in from each side, in units.
    double cut;
    // Drawn over the octagon in order: later blocks cover earlier ones.
    std::vector<Block> blocks;
    // Blocks are this many units wide, counted from (left, top); the small
    // sizes draw a larger star alone.
    double block_size;
    double left, top;
};

// The full design; legible from 32 pixels up.
Design Full();
// Below 32 pixels the lettering cannot be read: the octagon with a large star.
Design Small(int pixels);
// The design for a picture of this many pixels.
Design ForSize(int pixels);

// Palette index at the design point (u, v), in units.
int ColourAt(const Design& design, double u, double v);

// RGB rows, top down, pixels x pixels; edges are smoothed by sampling each
// pixel at several points.
std::vector<std::uint8_t> Render(const Design& design, int pixels);

}  // namespace icon
