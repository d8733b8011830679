// The files DecodeBmp must refuse, and the largest side it must take. How each kind of file it
// takes decodes is compared with Windows' own decoder in tests/bmp, under Wine.
#include "core/skin/bmp_decoder.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "tests/bmp/bmp_builder.h"

namespace quarvel {
namespace {

using namespace bmp;

Bitmap Rows(uint16_t bitCount, int width, int height, std::string pixels) {
  return {.width = width, .height = height, .bitCount = bitCount, .pixels = std::move(pixels)};
}

Bitmap Rle(int height, const std::string& data) {
  Bitmap b = Rows(8, 2, height, data);
  b.compression = kRle8, b.imageSize = static_cast<uint32_t>(data.size());
  b.palette = {0, 1}, b.colorsUsed = 2;
  return b;
}

TEST(BmpDecoder, TakesSidesUpToTheLargestAndRefusesMalformedFilesWithoutReadingPastThem) {
  const Bitmap wide = Rows(1, kMaxPictureSide, 1, std::string(kMaxPictureSide / 8, '\0'));
  const Bitmap tall = Rows(1, 1, -kMaxPictureSide, std::string(4 * kMaxPictureSide, '\0'));
  EXPECT_EQ(DecodeBmp(Build(wide))->pixels.size(), std::size_t{kMaxPictureSide});
  EXPECT_EQ(DecodeBmp(Build(tall))->pixels.size(), std::size_t{kMaxPictureSide});
  const Bitmap good = Rows(24, 2, 2, std::string(16, '\x7F'));
  const std::string file = Build(good);
  ASSERT_TRUE(DecodeBmp(file).has_value());
  ASSERT_TRUE(DecodeBmp(file + "bytes after the pixels").has_value());  // as Windows takes them
  const auto rle = [](const std::string& data) { return Build(Rle(2, data)); };
  ASSERT_TRUE(DecodeBmp(rle(Bytes({0, 1}))).has_value());
  const auto with = [&](auto change) {
    Bitmap b = good;
    change(b);
    return Build(b);
  };
  Bitmap masks = Rows(16, 1, 1, Bytes({0, 0, 0, 0}));
  masks.compression = kBitfields, masks.masks = {1, 2, 4};
  Bitmap palette = Rows(1, 1, 1, Bytes({0, 0, 0, 0}));
  palette.palette = {0, 1};
  Bitmap noRleSize = Rle(2, Bytes({0, 1}));
  noRleSize.imageSize = 0;
  const std::vector<std::pair<const char*, std::string>> cases = {
      {"empty", ""},
      {"not BM", "PM" + file.substr(2)},
      {"cut inside the file header", file.substr(0, 10)},
      {"cut inside the info header", file.substr(0, 30)},
      {"unknown header size", with([](Bitmap& b) { b.headerSize = 56; })},
      {"width 0", with([](Bitmap& b) { b.width = 0; })},
      {"negative width", with([](Bitmap& b) { b.width = -2; })},
      {"height 0", with([](Bitmap& b) { b.height = 0; })},
      {"too wide", with([](Bitmap& b) { b.width = kMaxPictureSide + 1; })},
      {"too high", with([](Bitmap& b) { b.height = kMaxPictureSide + 1; })},
      {"too high top-down", with([](Bitmap& b) { b.height = -kMaxPictureSide - 1; })},
      {"most negative height", with([](Bitmap& b) { b.height = INT32_MIN; })},
      {"two planes", with([](Bitmap& b) { b.planes = 2; })},
      {"2 bits per pixel", with([](Bitmap& b) { b.bitCount = 2; })},
      {"JPEG", with([](Bitmap& b) { b.compression = 4; })},
      {"PNG", with([](Bitmap& b) { b.compression = 5; })},
      {"24-bit bit fields", with([](Bitmap& b) { b.compression = kBitfields; })},
      {"RLE8 at 4 bits", with([](Bitmap& b) { b.compression = kRle8, b.bitCount = 4; })},
      {"RLE top-down", Build(Rle(-2, Bytes({0, 1})))},
      {"masks cut short", Build(masks).substr(0, 60)},
      {"palette cut short", Build(palette).substr(0, 60)},
      {"one pixel byte short", file.substr(0, file.size() - 1)},
      {"pixel offset past the end", with([](Bitmap& b) { b.offset = 1 << 20; })},
      {"pixel offset inside the headers", with([](Bitmap& b) { b.offset = 20; })},
      {"pixel size past the end", with([](Bitmap& b) { b.imageSize = 17; })},
      {"RLE without an end", rle(Bytes({2, 1, 0, 0, 2, 1}))},
      {"RLE escape cut short", rle(Bytes({2, 1, 0}))},
      {"RLE run past the row", rle(Bytes({3, 1, 0, 1}))},
      {"RLE absolute run past the row", rle(Bytes({0, 3, 1, 1, 1, 0, 0, 1}))},
      {"RLE absolute run cut short", rle(Bytes({0, 4, 1, 1}))},
      {"RLE delta past the row", rle(Bytes({0, 2, 3, 0, 0, 1}))},
      {"RLE delta cut short", rle(Bytes({0, 2, 1}))},
      {"RLE data size 0", Build(noRleSize)},
  };
  for (const auto& [what, bytes] : cases) EXPECT_FALSE(DecodeBmp(bytes).has_value()) << what;
}

}  // namespace
}  // namespace quarvel
