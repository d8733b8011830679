#pragma once
// RLE4 and RLE8 pixel data of a bitmap, expanded into a picture. Only the bitmap decoder uses it.
#include <array>
#include <string_view>

#include "platform/platform_types.h"

namespace quarvel {

enum class RleDepth { kFour, kEight };

// Writes the pixels the data sets, through the palette, into the picture, whose first row in
// the data is its bottom row. Pixels the data skips keep what the picture held. False when the
// data runs out before its end, or a run or a move leaves the picture.
bool ExpandRle(std::string_view data, RleDepth depth, const std::array<Pixel, 256>& palette,
               PixelImage& image);

}  // namespace quarvel
