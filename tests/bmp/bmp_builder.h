#pragma once
// Writes small Windows bitmap files byte by byte, for the decoder's unit tests and for the set of
// files checked against Windows' own decoder under Wine.
#include <array>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

namespace quarvel::bmp {

enum : uint32_t { kRgb = 0, kRle8 = 1, kRle4 = 2, kBitfields = 3 };

inline std::string Bytes(std::initializer_list<int> bytes) {
  std::string out;
  for (int b : bytes) out += static_cast<char>(b);
  return out;
}

// The low `size` bytes of a value, low byte first.
inline std::string Le(uint32_t value, int size = 4) {
  std::string out;
  for (int i = 0; i < size; ++i) out += static_cast<char>(value >> (8 * i));
  return out;
}

struct Bitmap {
  uint32_t headerSize = 40;  // 12, 40, 108 or 124
  int32_t width = 1;
  int32_t height = 1;  // negative: top-down
  uint16_t planes = 1;
  uint16_t bitCount = 24;
  uint32_t compression = kRgb;
  uint32_t imageSize = 0;
  uint32_t colorsUsed = 0;
  std::vector<uint32_t> palette{};  // 0x00RRGGBB
  std::array<uint32_t, 3> masks{};
  std::string pixels{};  // exactly as stored
  int64_t offset = -1;   // -1: right after the palette
};

inline std::string Build(const Bitmap& b) {
  const bool core = b.headerSize == 12;
  std::string info = Le(b.headerSize);
  if (core)
    info += Le(b.width, 2) + Le(b.height, 2) + Le(b.planes, 2) + Le(b.bitCount, 2);
  else
    info += Le(b.width) + Le(b.height) + Le(b.planes, 2) + Le(b.bitCount, 2) + Le(b.compression) +
            Le(b.imageSize) + Le(2835) + Le(2835) + Le(b.colorsUsed) + Le(0);
  // Masks follow a 40-byte header only for bit fields; V4 and V5 always hold them, and after
  // the alpha mask an sRGB colour space.
  if (!core && (b.headerSize > 40 || b.compression == kBitfields))
    for (uint32_t mask : b.masks) info += Le(mask);
  if (b.headerSize > 40) (info += Le(0) + Le(0x73524742)).resize(b.headerSize, '\0');
  for (uint32_t color : b.palette) info += Le(color, core ? 3 : 4);  // blue, green, red, 0
  const auto offset = static_cast<uint32_t>(b.offset >= 0 ? b.offset : 14 + info.size());
  return "BM" + Le(14 + info.size() + b.pixels.size()) + Le(0) + Le(offset) + info + b.pixels;
}

}  // namespace quarvel::bmp
