#include "clockface/bmp_decoder.h"

#include <cstdint>

namespace quarvel {

namespace {
uint32_t U32(std::string_view b, std::size_t at) {
  return static_cast<uint32_t>(static_cast<uint8_t>(b[at])) |
         static_cast<uint32_t>(static_cast<uint8_t>(b[at + 1])) << 8 |
         static_cast<uint32_t>(static_cast<uint8_t>(b[at + 2])) << 16 |
         static_cast<uint32_t>(static_cast<uint8_t>(b[at + 3])) << 24;
}
uint16_t U16(std::string_view b, std::size_t at) {
  return static_cast<uint16_t>(static_cast<uint8_t>(b[at]) | static_cast<uint8_t>(b[at + 1]) << 8);
}
}  // namespace

// Uncompressed 24-bit bitmaps only, for now.
std::optional<PixelImage> DecodeBmp(std::string_view b) {
  if (b.size() < 54 || b[0] != 'B' || b[1] != 'M' || U32(b, 14) < 40) return std::nullopt;
  const auto offset = U32(b, 10);
  const auto width = static_cast<int32_t>(U32(b, 18));
  const auto rawHeight = static_cast<int32_t>(U32(b, 22));
  if (U16(b, 26) != 1 || U16(b, 28) != 24 || U32(b, 30) != 0) return std::nullopt;
  const int64_t height = rawHeight < 0 ? -int64_t{rawHeight} : rawHeight;
  if (width <= 0 || width > kMaxPictureSide || height == 0 || height > kMaxPictureSide)
    return std::nullopt;
  const int64_t stride = (int64_t{width} * 3 + 3) / 4 * 4;
  if (int64_t{offset} + stride * height > static_cast<int64_t>(b.size())) return std::nullopt;
  PixelImage image;
  image.width = width;
  image.height = static_cast<int>(height);
  image.pixels.resize(static_cast<std::size_t>(int64_t{width} * height));
  for (int64_t y = 0; y < height; ++y) {
    const int64_t row = rawHeight < 0 ? y : height - 1 - y;
    const std::size_t at = offset + static_cast<std::size_t>(row * stride);
    for (int64_t x = 0; x < width; ++x) {
      const std::size_t p = at + static_cast<std::size_t>(x * 3);
      image.pixels[static_cast<std::size_t>(y * width + x)] =
          static_cast<uint32_t>(static_cast<uint8_t>(b[p])) |
          static_cast<uint32_t>(static_cast<uint8_t>(b[p + 1])) << 8 |
          static_cast<uint32_t>(static_cast<uint8_t>(b[p + 2])) << 16;
    }
  }
  return image;
}

}  // namespace quarvel
