#include "dialogpaint/dialog_resources.h"

#include <cstdint>
#include <optional>
#include <string>

#include "core/infodialog/banner_choice.h"
#include "core/skin/bmp_decoder.h"

namespace quarvel {

PixelImage BannerPicture(float twipsPerPixel) {
  const infodialog::BannerScale scale = infodialog::BannerForScreen(twipsPerPixel);
  std::optional<PixelImage> banner =
      DecodeBmp(scale == infodialog::BannerScale::kTwo          ? Banner2xFile()
                : scale == infodialog::BannerScale::kOneAndHalf ? Banner15xFile()
                                                                : BannerFile());
  return banner ? std::move(*banner) : PixelImage{};
}

namespace {
uint32_t Read32(std::string_view bytes, std::size_t at) {
  if (at + 4 > bytes.size()) return 0;
  uint32_t value = 0;
  for (int i = 3; i >= 0; --i) value = (value << 8) | static_cast<unsigned char>(bytes[at + i]);
  return value;
}
uint32_t Read16(std::string_view bytes, std::size_t at) {
  if (at + 2 > bytes.size()) return 0;
  return static_cast<unsigned char>(bytes[at]) | (static_cast<unsigned char>(bytes[at + 1]) << 8);
}

void Put32(std::string& out, uint32_t value) {
  for (int i = 0; i < 4; ++i) out += static_cast<char>((value >> (8 * i)) & 0xFF);
}

// One image of an icon file: a bitmap without its file header, twice as high as the icon
// (the colours, then a one-bit mask where 1 is transparent). With a file header and its true
// height it is a bitmap file the clock's decoder reads; the mask gives the alpha.
void AddIconImage(std::string_view dib, std::vector<long>& out) {
  const uint32_t headerSize = Read32(dib, 0);
  const auto width = static_cast<int32_t>(Read32(dib, 4));
  const int32_t height = static_cast<int32_t>(Read32(dib, 8)) / 2;
  const uint32_t bitCount = Read16(dib, 14);
  uint32_t colours = Read32(dib, 32);
  if (colours == 0 && bitCount <= 8) colours = 1u << bitCount;
  if (headerSize < 40 || width <= 0 || height <= 0 || width > 256 || height > 256) return;
  const uint32_t pixelsAt = headerSize + colours * 4;
  std::string file = "BM";
  Put32(file, static_cast<uint32_t>(14 + dib.size()));
  Put32(file, 0);
  Put32(file, 14 + pixelsAt);
  file.append(dib);
  std::string trueHeight;
  Put32(trueHeight, static_cast<uint32_t>(height));
  file.replace(14 + 8, 4, trueHeight);
  std::optional<PixelImage> colour = DecodeBmp(file);
  if (!colour) return;

  const std::size_t colourRow = ((static_cast<std::size_t>(width) * bitCount + 31) / 32) * 4;
  const std::size_t maskRow = ((static_cast<std::size_t>(width) + 31) / 32) * 4;
  const std::size_t maskAt = pixelsAt + colourRow * static_cast<std::size_t>(height);
  out.push_back(width);
  out.push_back(height);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      // The mask's rows run bottom to top like the colours'.
      const std::size_t at = maskAt + maskRow * static_cast<std::size_t>(height - 1 - y) +
                             static_cast<std::size_t>(x / 8);
      const bool transparent =
          at < dib.size() && (static_cast<unsigned char>(dib[at]) & (0x80 >> (x % 8))) != 0;
      out.push_back(transparent ? 0 : static_cast<long>(0xFF000000u | colour->At(x, y)));
    }
}
}  // namespace

std::vector<long> IconCardinals() {
  const std::string_view ico = IconFile();
  std::vector<long> cardinals;
  const uint32_t count = Read16(ico, 4);
  for (uint32_t i = 0; i < count; ++i) {
    const std::size_t entry = 6 + 16 * static_cast<std::size_t>(i);
    const uint32_t size = Read32(ico, entry + 8);
    const uint32_t offset = Read32(ico, entry + 12);
    if (offset >= ico.size() || size > ico.size() - offset) continue;
    AddIconImage(ico.substr(offset, size), cardinals);
  }
  return cardinals;
}

}  // namespace quarvel
