#include "core/skin/bmp_decoder.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <new>

#include "core/skin/bmp_rle.h"

namespace quarvel {

namespace {

constexpr uint64_t kFileHeaderSize = 14;
constexpr uint64_t kCoreHeaderSize = 12;
constexpr uint64_t kInfoHeaderSize = 40;
constexpr uint64_t kV4HeaderSize = 108;
constexpr uint64_t kV5HeaderSize = 124;
constexpr uint64_t kMasksSize = 12;

constexpr uint32_t kRgb = 0;
constexpr uint32_t kRle8 = 1;
constexpr uint32_t kRle4 = 2;
constexpr uint32_t kBitfields = 3;

// Little-endian fields; every caller has checked that the field lies inside the bytes.
uint32_t U8(std::string_view bytes, uint64_t at) {
  return static_cast<uint8_t>(bytes[at]);
}
uint32_t U16(std::string_view bytes, uint64_t at) {
  return U8(bytes, at) | (U8(bytes, at + 1) << 8);
}
uint32_t U32(std::string_view bytes, uint64_t at) {
  return U16(bytes, at) | (U16(bytes, at + 2) << 16);
}

// One colour channel of a 16- or 32-bit pixel, widened to 8 bits the way GDI does it: only the
// lowest run of set bits in the mask counts, a wider channel keeps its top 8 bits, and a
// narrower one repeats its bits once below themselves (5 bits abcde become abcdeabc).
class Channel {
 public:
  Channel() = default;
  explicit Channel(uint32_t mask) {
    if (mask == 0) return;
    while ((mask & 1) == 0) mask >>= 1, ++shift_;
    while ((mask & 1) == 1) mask >>= 1, ++length_;
  }
  uint32_t Of(uint32_t pixel) const {
    if (length_ == 0) return 0;
    const uint32_t field = pixel >> shift_;
    if (length_ >= 8) return (field >> (length_ - 8)) & 0xFF;
    const uint32_t top = (field << (8 - length_)) & 0xFF;
    return top | (top >> length_);
  }

 private:
  int shift_ = 0;
  int length_ = 0;
};

// What the headers say, checked against each other and against the file's size.
struct Layout {
  int width = 0;
  int height = 0;
  bool topDown = false;
  uint32_t bitCount = 0;
  uint32_t compression = kRgb;
  uint32_t masks[3] = {};
  // Indices past the file's palette draw black, as GDI draws them.
  std::array<Pixel, 256> palette{};
  uint64_t pixelStart = 0;
  uint64_t pixelBytes = 0;
};

// Bytes per uncompressed row: rows are padded to whole 32-bit words.
uint64_t Stride(uint64_t width, uint32_t bitCount) {
  return (width * bitCount + 31) / 32 * 4;
}

bool IsKnownHeaderSize(uint64_t size) {
  return size == kCoreHeaderSize || size == kInfoHeaderSize || size == kV4HeaderSize ||
         size == kV5HeaderSize;
}

// The bit depth and compression pairs GDI draws; RLE only bottom-up.
bool IsDrawable(const Layout& layout) {
  switch (layout.compression) {
    case kRgb:
      return layout.bitCount == 1 || layout.bitCount == 4 || layout.bitCount == 8 ||
             layout.bitCount == 16 || layout.bitCount == 24 || layout.bitCount == 32;
    case kRle8:
      return layout.bitCount == 8 && !layout.topDown;
    case kRle4:
      return layout.bitCount == 4 && !layout.topDown;
    case kBitfields:
      return layout.bitCount == 16 || layout.bitCount == 32;
    default:
      return false;  // JPEG, PNG, alpha bit fields, CMYK: not for a face
  }
}

std::optional<Layout> ReadLayout(std::string_view file) {
  if (file.size() < kFileHeaderSize + 4 || file.substr(0, 2) != "BM") return std::nullopt;
  const uint64_t headerSize = U32(file, 14);
  uint64_t headersEnd = kFileHeaderSize + headerSize;
  if (!IsKnownHeaderSize(headerSize) || file.size() < headersEnd) return std::nullopt;

  Layout layout;
  const bool core = headerSize == kCoreHeaderSize;
  int64_t width = 0;
  int64_t height = 0;
  uint32_t planes = 0;
  uint64_t imageSize = 0;
  uint64_t paletteSize = 0;
  if (core) {
    width = U16(file, 18);
    height = U16(file, 20);
    planes = U16(file, 22);
    layout.bitCount = U16(file, 24);
  } else {
    width = static_cast<int32_t>(U32(file, 18));
    height = static_cast<int32_t>(U32(file, 22));
    planes = U16(file, 26);
    layout.bitCount = U16(file, 28);
    layout.compression = U32(file, 30);
    imageSize = U32(file, 34);
    paletteSize = U32(file, 46);
    // A 40-byte header is followed by the three masks; the larger headers hold them.
    if (layout.compression == kBitfields && headerSize == kInfoHeaderSize) headersEnd += kMasksSize;
    if (file.size() < headersEnd) return std::nullopt;
  }
  layout.topDown = height < 0;
  height = height < 0 ? -height : height;
  if (planes != 1 || width < 1 || width > kMaxPictureSide || height < 1 ||
      height > kMaxPictureSide || !IsDrawable(layout))
    return std::nullopt;
  layout.width = static_cast<int>(width);
  layout.height = static_cast<int>(height);

  if (layout.compression == kBitfields) {
    for (int i = 0; i < 3; ++i) layout.masks[i] = U32(file, kFileHeaderSize + 40 + 4 * i);
  } else if (layout.bitCount == 16) {
    layout.masks[0] = 0x7C00, layout.masks[1] = 0x03E0, layout.masks[2] = 0x001F;
  } else if (layout.bitCount == 32) {
    layout.masks[0] = 0xFF0000, layout.masks[1] = 0xFF00, layout.masks[2] = 0xFF;
  }

  // A zero count means a full palette for 1, 4 and 8 bits and none above; GDI reads at most
  // 256 entries. Deeper pictures may carry one too; it only moves the pixels along.
  if (paletteSize == 0 && layout.bitCount <= 8) paletteSize = uint64_t{1} << layout.bitCount;
  paletteSize = std::min<uint64_t>(paletteSize, 256);
  const uint64_t entrySize = core ? 3 : 4;
  const uint64_t paletteEnd = headersEnd + paletteSize * entrySize;
  if (paletteEnd > file.size()) return std::nullopt;
  for (uint64_t i = 0; i < paletteSize && layout.bitCount <= 8; ++i) {
    const uint64_t at = headersEnd + i * entrySize;
    layout.palette[i] = (U8(file, at + 2) << 16) | (U8(file, at + 1) << 8) | U8(file, at);
  }

  // An offset of zero puts the pixels right after the palette, as GDI reads it. Pixels that
  // start inside the headers belong to no bitmap anyone writes.
  const uint64_t offset = U32(file, 10);
  layout.pixelStart = offset == 0 ? paletteEnd : offset;
  if (layout.pixelStart < headersEnd) return std::nullopt;

  // RLE data is as long as the header's image size says. Bytes after the pixels are allowed,
  // as Windows allows them: some programs append their own data there.
  const bool rle = layout.compression == kRle8 || layout.compression == kRle4;
  layout.pixelBytes =
      rle ? imageSize : Stride(layout.width, layout.bitCount) * static_cast<uint64_t>(height);
  if (layout.pixelStart + std::max(layout.pixelBytes, imageSize) > file.size()) return std::nullopt;
  return layout;
}

void DecodeRows(const Layout& layout, std::string_view data, PixelImage& image) {
  const uint64_t stride = Stride(layout.width, layout.bitCount);
  const Channel red(layout.masks[0]), green(layout.masks[1]), blue(layout.masks[2]);
  const uint32_t indexMask = (1u << std::min<uint32_t>(layout.bitCount, 8)) - 1;
  for (int row = 0; row < layout.height; ++row) {
    const uint64_t in = row * stride;
    const int y = layout.topDown ? row : layout.height - 1 - row;
    Pixel* out =
        &image.pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(layout.width)];
    for (uint64_t x = 0; x < static_cast<uint64_t>(layout.width); ++x) {
      const uint64_t bit = x * layout.bitCount;
      uint32_t value = 0;
      switch (layout.bitCount) {
        case 1:
        case 4:
        case 8:  // the leftmost pixel sits in the high bits of its byte
          value = (U8(data, in + bit / 8) >> (8 - layout.bitCount - bit % 8)) & indexMask;
          out[x] = layout.palette[value];
          continue;
        case 16:
          value = U16(data, in + bit / 8);
          break;
        case 24:
          out[x] = (U8(data, in + bit / 8 + 2) << 16) | U16(data, in + bit / 8);
          continue;
        default:  // 32; the fourth byte is no alpha for drawing
          value = U32(data, in + bit / 8);
      }
      out[x] = (red.Of(value) << 16) | (green.Of(value) << 8) | blue.Of(value);
    }
  }
}

}  // namespace

std::optional<PixelImage> DecodeBmp(std::string_view fileBytes) {
  if (fileBytes.size() > kMaxBmpFileBytes) return std::nullopt;
  const std::optional<Layout> layout = ReadLayout(fileBytes);
  if (!layout) return std::nullopt;
  const std::string_view data = fileBytes.substr(layout->pixelStart, layout->pixelBytes);
  PixelImage image;
  image.width = layout->width;
  image.height = layout->height;
  // A face as large as allowed needs 1 GiB; a machine that can't spare it can't show it.
  try {
    const std::size_t count =
        static_cast<std::size_t>(image.width) * static_cast<std::size_t>(image.height);
    if (layout->compression == kRgb || layout->compression == kBitfields) {
      image.pixels.resize(count);
      DecodeRows(*layout, data, image);
      return image;
    }
    // Pixels the RLE data never sets show the palette's first colour, as in Windows: its
    // picture starts as index 0 everywhere and the skips leave it so.
    image.pixels.assign(count, layout->palette[0]);
  } catch (const std::bad_alloc&) {
    return std::nullopt;
  }
  const RleDepth depth = layout->compression == kRle8 ? RleDepth::kEight : RleDepth::kFour;
  if (!ExpandRle(data, depth, layout->palette, image)) return std::nullopt;
  return image;
}

}  // namespace quarvel
