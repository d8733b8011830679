// One bitmap file of each kind the clock must read, for DecodeBmp against Windows' own decoder
// (bmp_dump.exe under Wine; tests/wine_compare.sh compares):
//   bmp_variants write <folder>
//   bmp_variants expect <dump>  per file the dump's line that stands for it (its twin's)
//   bmp_variants decode         per file DecodeBmp's pixels, in the dump's form
// bmp_windows_pixels checks `decode` against windows_pixels.sha256, hashes of `expect`.
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "core/skin/bmp_decoder.h"
#include "tests/bmp/bmp_builder.h"

namespace {

using namespace quarvel::bmp;

uint32_t seed = 1;  // the same files on every run
uint32_t Random() {
  return (seed = seed * 1103515245 + 12345) >> 8;
}
std::string RandomBytes(int n) {
  std::string out;
  while (n-- > 0) out += static_cast<char>(Random());
  return out;
}

// Random pixels (padding included) and a random palette of `colours`, full size by default.
Bitmap Plain(int width, int height, uint16_t bitCount, int colours = -1, uint32_t header = 40) {
  Bitmap b{.headerSize = header, .width = width, .height = height, .bitCount = bitCount};
  if (colours < 0) colours = bitCount <= 8 ? 1 << bitCount : 0;
  if (bitCount > 8 || colours != 1 << bitCount) b.colorsUsed = colours;
  while (colours-- > 0) b.palette.push_back(Random() & 0xFFFFFF);
  b.pixels = RandomBytes((width * bitCount + 31) / 32 * 4 * (height < 0 ? -height : height));
  return b;
}
Bitmap Masked(Bitmap b, uint32_t red, uint32_t green, uint32_t blue, uint32_t header = 40) {
  b.compression = kBitfields, b.masks = {red, green, blue}, b.headerSize = header;
  return b;
}
Bitmap Rle(uint32_t compression, int width, int height, const std::string& data, int colours) {
  Bitmap b = Plain(width, height, compression == kRle8 ? 8 : 4, colours);
  b.compression = compression, b.pixels = data, b.imageSize = static_cast<uint32_t>(data.size());
  return b;
}

// Twins: the same picture in a form Wine's LoadImage reads right (see Variants).
Bitmap BottomUp(Bitmap b) {
  const std::size_t stride = b.pixels.size() / static_cast<std::size_t>(-b.height);
  std::string rows;
  for (std::size_t end = b.pixels.size(); end > 0; end -= stride)
    rows += b.pixels.substr(end - stride, stride);
  b.pixels = rows, b.height = -b.height;
  return b;
}
Bitmap As32Bits(Bitmap b) {  // the same 16-bit values and masks in 32-bit words
  std::string pixels;
  const std::size_t stride = static_cast<std::size_t>(b.width + 1) / 2 * 4;
  for (std::size_t row = 0; row < b.pixels.size(); row += stride)
    for (std::size_t x = 0; x < static_cast<std::size_t>(b.width); ++x)
      pixels += b.pixels.substr(row + 2 * x, 2) + Le(0, 2);
  b.pixels = pixels, b.bitCount = 32;
  return b;
}

struct Variant {
  std::string name, bytes, windowsTwin;  // the twin's Windows pixels stand for this file's
};

std::vector<Variant> Variants() {
  seed = 1;
  std::vector<Variant> all;
  const auto add = [&](const std::string& name, const Bitmap& b, const std::string& tail = "") {
    all.push_back({name + ".bmp", Build(b) + tail, ""});
  };
  // Wine's LoadImage misreads a few kinds of file, so those are checked against the pixels it
  // gives for a twin: top-down files come out blank; 16-bit bit fields pass through a 5-5-5
  // copy, so 5-6-5 loses green's sixth bit; a core header with a palette comes out with some
  // colours replaced by near ones (1 bit: all one colour), as if halftoned.
  const auto addTwin = [&](const std::string& name, const Bitmap& b, const Bitmap& twin) {
    all.push_back({name + ".bmp", Build(b), name + "_twin.bmp"});
    add(name + "_twin", twin);
  };
  add("pal1_13x7", Plain(13, 7, 1));
  add("pal1_one_colour", Plain(9, 3, 1, 1));  // index 1 lies past the palette
  add("pal4_9x5", Plain(9, 5, 4));
  add("pal4_five_colours", Plain(7, 4, 4, 5));
  add("pal8_7x6", Plain(7, 6, 8));
  add("pal8_twenty_colours", Plain(10, 3, 8, 20));
  add("rgb16_555", Plain(11, 5, 16));
  add("rgb16_palette", Plain(3, 2, 16, 2));
  add("rgb24_5x4", Plain(5, 4, 24));
  add("rgb24_palette", Plain(7, 3, 24, 3));
  add("rgb24_trailing_bytes", Plain(2, 2, 24), "more bytes after the pixels");
  add("rgb32", Plain(4, 3, 32));
  add("rgb32_palette", Plain(3, 3, 32, 2));
  add("bf32_10bit", Masked(Plain(6, 4, 32), 0x3FF00000, 0x000FFC00, 0x000003FF));
  add("bf32_bgr_v5", Masked(Plain(5, 3, 32), 0xFF, 0xFF00, 0xFF0000, 124));
  for (const auto& [name, b] :
       {std::pair{"bf16_565", Masked(Plain(11, 5, 16), 0xF800, 0x7E0, 0x1F)},
        {"bf16_555", Masked(Plain(6, 3, 16), 0x7C00, 0x3E0, 0x1F)},
        {"bf16_2_7_1", Masked(Plain(5, 4, 16), 0xC000, 0x3F80, 0x1)},
        {"bf16_565_v4", Masked(Plain(3, 3, 16), 0xF800, 0x7E0, 0x1F, 108)}})
    addTwin(name, b, As32Bits(b));
  for (const auto& [name, b] : {std::pair{"core1", Plain(10, 3, 1)},
                                {"core4", Plain(5, 3, 4)},
                                {"core8", Plain(6, 2, 8)}}) {
    Bitmap core = b;
    core.headerSize = 12;
    addTwin(name, core, b);
  }
  for (uint16_t bits : {16, 24, 32}) add("core" + std::to_string(bits), Plain(3, 3, bits, 0, 12));
  add("v4_pal8", Plain(5, 2, 8, -1, 108));
  add("v5_rgb24", Plain(4, 2, 24, 0, 124));
  for (const auto& [name, b] : {std::pair{"topdown_pal4", Plain(5, -3, 4)},
                                {"topdown_rgb24", Plain(3, -4, 24)},
                                {"topdown_rgb32", Plain(2, -3, 32)}})
    addTwin(name, b, BottomUp(b));
  const Bitmap topDown16 = Masked(Plain(3, -2, 16), 0xF800, 0x07E0, 0x1F);
  addTwin("topdown_bf16", topDown16, As32Bits(BottomUp(topDown16)));
  Bitmap offsetZero = Plain(3, 2, 8, 4);
  offsetZero.offset = 0;  // the pixels follow the palette
  add("offset_zero", offsetZero);
  // Runs, an odd absolute run with its pad, a delta over two rows, early line ends, and an end
  // of bitmap that leaves the rest unset.
  add("rle8", Rle(kRle8, 9, 6,
                  Bytes({5, 3, 0, 3, 1, 2, 3, 0, 0, 0, 0, 9}) + RandomBytes(9) +
                      Bytes({0, 0, 0, 0, 2, 2, 1, 4, 7, 0, 0, 9, 0xC8, 0, 0, 2, 4, 0, 1}),
                  256));
  add("rle4", Rle(kRle4, 8, 5, Bytes({3, 0x5A, 0,    5, 0x12, 0x34, 0x50, 0, 0, 0, 0,    2, 1,
                                      1, 4,    0xAB, 0, 0,    8,    0xCD, 0, 0, 1, 0xEF, 0, 1}),
                  16));
  // Ends with the last row's end of line; index 40 lies past the 16 colours.
  add("rle8_last_line", Rle(kRle8, 4, 2, Bytes({4, 40, 0, 0, 4, 7, 0, 0}), 16));
  add("rle8_delta_past_top", Rle(kRle8, 3, 3, Bytes({3, 5, 0, 2, 0, 7}), 8));
  return all;
}

// The dump's form of a picture, after the file name.
std::string Describe(const std::optional<quarvel::PixelImage>& picture) {
  if (!picture) return " -";
  char text[32];
  std::snprintf(text, sizeof text, " %d %d", picture->width, picture->height);
  std::string out = text;
  for (quarvel::Pixel p : picture->pixels)
    std::snprintf(text, sizeof text, " %06x", p), out += text;
  return out;
}

}  // namespace

int main(int argc, char** argv) {
  const std::string command = argc >= 2 ? argv[1] : "";
  if (command == "decode" && argc == 2) {
    for (const Variant& v : Variants())
      std::printf("%s%s\n", v.name.c_str(), Describe(quarvel::DecodeBmp(v.bytes)).c_str());
    return 0;
  }
  if (command == "write" && argc == 3) {
    for (const Variant& v : Variants()) std::ofstream(argv[2] + ("/" + v.name)) << v.bytes;
    return 0;
  }
  if (command != "expect" || argc != 3) return 64;
  std::map<std::string, std::string> windows;
  std::ifstream dump(argv[2]);
  for (std::string name, rest; dump >> name && std::getline(dump, rest);) windows[name] = rest;
  for (const Variant& v : Variants()) {
    const std::string& expected = windows[v.windowsTwin.empty() ? v.name : v.windowsTwin];
    if (expected.empty()) return std::fprintf(stderr, "%s: not in the dump\n", v.name.c_str()), 1;
    std::printf("%s%s\n", v.name.c_str(), expected.c_str());
  }
}
