#pragma once

// The icon's file formats, written without any image library.

#include <cstdint>
#include <string>
#include <vector>

#include "icon_design.h"

namespace icon {

// A square picture in palette indices, rows top down.
using Indexed = std::vector<std::vector<int>>;

// The 32 x 32 picture at pixel centres, in the sixteen colours.
Indexed Picture32();

std::string Xpm(const Indexed& picture);
// A 4-bit indexed PNG.
std::string IndexedPng(const Indexed& picture);
// A 16-colour ICO (the Windows program file's own icon).
std::string Ico(const Indexed& picture);
// An RGB PNG of rows top down, pixels x pixels.
std::string RgbPng(const std::vector<std::uint8_t>& rgb, int pixels);
// The full design as scalable vector graphics.
std::string Svg(const Design& design);

}  // namespace icon
