#include "clockface/bmp_decoder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

#include "tests/bmp/bmp_builder.h"

namespace quarvel {
namespace {

using namespace bmp;

constexpr Pixel kRed = 0xFF0000, kGreen = 0x00FF00, kBlue = 0x0000FF, kGrey = 0x808080;

// The picture's size must be the bitmap's; pixels are rows top to bottom.
void ExpectPixels(const Bitmap& bitmap, const std::vector<Pixel>& pixels) {
  const std::optional<PixelImage> picture = DecodeBmp(Build(bitmap));
  ASSERT_TRUE(picture.has_value());
  EXPECT_EQ(picture->width, bitmap.width);
  EXPECT_EQ(picture->height, std::abs(bitmap.height));
  EXPECT_EQ(picture->pixels, pixels);
}

// Uncompressed rows, bottom row first, padded here; a palette of these colours only.
Bitmap Rows(uint16_t bitCount, int width, std::vector<uint32_t> palette,
            std::initializer_list<std::string> rows) {
  const auto colours = static_cast<uint32_t>(palette.size());
  return {.width = width,
          .height = static_cast<int>(rows.size()),
          .bitCount = bitCount,
          .colorsUsed = colours,
          .palette = std::move(palette),
          .pixels = PaddedRows(rows)};
}

// One row of 16- or 32-bit pixels, with bit fields when masks are given.
Bitmap Masked(uint16_t bitCount, const std::string& row, std::array<uint32_t, 3> masks = {}) {
  Bitmap b = Rows(bitCount, static_cast<int>(row.size()) * 8 / bitCount, {}, {row});
  if (masks[0] | masks[1] | masks[2]) b.compression = kBitfields, b.masks = masks;
  return b;
}

Bitmap Rle(uint32_t compression, int width, int height, const std::string& data) {
  Bitmap b = Rows(compression == kRle8 ? 8 : 4, width, {kGrey, kRed, kGreen, kBlue}, {});
  b.height = height, b.compression = compression, b.pixels = data;
  b.imageSize = static_cast<uint32_t>(data.size());
  return b;
}

TEST(BmpDecoder, PaletteDepthsPickColoursFromTheHighBitsFirst) {
  ExpectPixels(Rows(1, 3, {kRed, kBlue}, {Bytes({0xA0}), Bytes({0x60})}),
               {kRed, kBlue, kBlue, kBlue, kRed, kBlue});
  // Index 2 lies past a two-colour palette and draws black, as Windows draws it.
  ExpectPixels(Rows(4, 3, {kRed, kGreen}, {Bytes({0x01, 0x20})}), {kRed, kGreen, 0});
  ExpectPixels(Rows(8, 2, {kRed, kGreen, kBlue}, {Bytes({2, 1})}), {kBlue, kGreen});
}

TEST(BmpDecoder, DeepPixelsWidenEachMaskToEightBitsAndIgnoreAnyPalette) {
  // 16 bits without masks are 5-5-5, and 5 bits abcde widen to abcdeabc.
  ExpectPixels(Masked(16, Bytes({0xFF, 0x7F, 0x10, 0x7C})), {0xFFFFFF, 0xFF0084});
  // 5-6-5: green keeps its sixth bit.
  ExpectPixels(Masked(16, Bytes({0x20, 0, 0x1F, 0xF8}), {0xF800, 0x07E0, 0x1F}),
               {0x000400, 0xFF00FF});
  // Wider than 8 bits keeps the top 8; a 1- or 2-bit field repeats itself only once.
  ExpectPixels(Masked(32, Bytes({0x0D, 0, 0xF0, 0x3F}), {0x3FF00000, 0xC, 0x1}), {0xFFF0C0});
  // 24 bits are blue, green, red; the fourth byte of 32 bits is not drawn.
  ExpectPixels(Rows(24, 1, {kRed, kRed}, {Bytes({0x30, 0x20, 0x10})}), {0x102030});
  ExpectPixels(Masked(32, Bytes({0x30, 0x20, 0x10, 0xAB})), {0x102030});
}

TEST(BmpDecoder, RleEscapesAndThePixelsTheyLeaveUnsetTakeThePalettesFirstColour) {
  // Bottom row: a run of 2, an absolute run of 3 with its pad, end of line. Then a delta right 1
  // and up 1 over the middle row, a run of 1 in the top row, and the end of the bitmap.
  ExpectPixels(Rle(kRle8, 5, 3, Bytes({2, 1, 0, 3, 2, 3, 1, 0, 0, 0, 0, 2, 1, 1, 1, 3, 0, 1})),
               {kGrey, kBlue, kGrey, kGrey, kGrey, kGrey, kGrey, kGrey, kGrey, kGrey,  //
                kRed, kRed, kGreen, kBlue, kRed});
  // RLE4 runs alternate their two nibbles; absolute runs take them in order.
  ExpectPixels(Rle(kRle4, 6, 1, Bytes({3, 0x12, 0, 3, 0x31, 0x20, 0, 1})),
               {kRed, kGreen, kRed, kBlue, kRed, kGreen});
  // The last row's end of line ends the bitmap, and so does a move past the top row.
  ExpectPixels(Rle(kRle8, 1, 2, Bytes({1, 1, 0, 0, 1, 2, 0, 0})), {kGreen, kRed});
  ExpectPixels(Rle(kRle8, 2, 2, Bytes({1, 3, 0, 2, 0, 5})), {kGrey, kGrey, kBlue, kGrey});
}

TEST(BmpDecoder, EveryHeaderKindAndWhereThePixelsStart) {
  Bitmap core = Rows(1, 2, {kRed, kBlue}, {Bytes({0x40})});
  core.headerSize = 12;  // 3-byte palette entries, always a full palette
  ExpectPixels(core, {kRed, kBlue});
  for (uint32_t headerSize : {108u, 124u}) {  // masks inside the header
    Bitmap v = Masked(16, Bytes({0x1F, 0}), {0x1F, 0x03E0, 0x7C00});
    v.headerSize = headerSize;
    ExpectPixels(v, {kRed});
  }
  // Offset zero means right after the palette; others are taken as they are. Bytes after the
  // pixels are allowed.
  Bitmap indexed = Rows(8, 1, {kRed, kGreen}, {Bytes({1}), "trailing"});
  indexed.height = 1, indexed.offset = 0;
  ExpectPixels(indexed, {kGreen});
  indexed.offset = 14 + 40 + 8 + 4, indexed.pixels = Bytes({0, 0, 0, 0, 1, 0, 0, 0});
  ExpectPixels(indexed, {kGreen});
}

TEST(BmpDecoder, PositiveHeightsAreBottomUpNegativeTopDownUpToTheLargestSide) {
  Bitmap twoRows = Rows(24, 1, {}, {Bytes({0, 0, 0xFF}), Bytes({0xFF, 0, 0})});
  ExpectPixels(twoRows, {kBlue, kRed});
  twoRows.height = -2;
  ExpectPixels(twoRows, {kRed, kBlue});
  ExpectPixels(Rows(1, kMaxPictureSide, {kRed}, {std::string(kMaxPictureSide / 8, '\0')}),
               std::vector<Pixel>(kMaxPictureSide, kRed));
  Bitmap tall = Rows(1, 1, {kRed}, {std::string(4 * kMaxPictureSide, '\0')});
  tall.height = -kMaxPictureSide;
  ExpectPixels(tall, std::vector<Pixel>(kMaxPictureSide, kRed));
}

TEST(BmpDecoder, RefusesMalformedFilesWithoutReadingPastThem) {
  const Bitmap good = Rows(24, 2, {}, {std::string(6, '\x7F'), std::string(6, '\x7F')});
  const std::string file = Build(good);
  ASSERT_TRUE(DecodeBmp(file).has_value());
  const auto with = [&](auto change) {
    Bitmap b = good;
    change(b);
    return Build(b);
  };
  const auto rle = [](const std::string& data) { return Build(Rle(kRle8, 2, 2, data)); };
  Bitmap noRleSize = Rle(kRle8, 2, 2, Bytes({0, 1}));
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
      {"RLE top-down", Build(Rle(kRle8, 2, -2, Bytes({0, 1})))},
      {"masks cut short", Build(Masked(16, Bytes({0, 0}), {1, 2, 4})).substr(0, 60)},
      {"palette cut short", Build(Rows(1, 1, {kRed, kRed}, {Bytes({0})})).substr(0, 60)},
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
