#pragma once
// What the dialogs' pixel tests look at: blank pictures and the box of the pixels of one colour.
#include <algorithm>
#include <cstddef>

#include "platform/platform_types.h"

namespace quarvel::test {

inline PixelImage Blank(int width, int height, Pixel colour) {
  PixelImage image;
  image.width = width;
  image.height = height;
  image.pixels.assign(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), colour);
  return image;
}

// The smallest box holding every pixel of that colour (empty when there is none), and how many.
struct Ink {
  ImageRect box{};
  int count = 0;
};
inline Ink InkOf(const PixelImage& image, Pixel colour, const ImageRect& within) {
  Ink ink;
  ink.box = {within.right, within.bottom, within.left, within.top};
  for (int y = within.top; y < within.bottom; ++y)
    for (int x = within.left; x < within.right; ++x) {
      if (image.At(x, y) != colour) continue;
      ++ink.count;
      ink.box = {std::min(ink.box.left, x), std::min(ink.box.top, y),
                 std::max(ink.box.right, x + 1), std::max(ink.box.bottom, y + 1)};
    }
  if (ink.count == 0) ink.box = {};
  return ink;
}
inline Ink InkOf(const PixelImage& image, Pixel colour) {
  return InkOf(image, colour, {0, 0, image.width, image.height});
}

constexpr Pixel kWhite = 0xFFFFFFFFu;
constexpr Pixel kBlack = 0xFF000000u;

}  // namespace quarvel::test
