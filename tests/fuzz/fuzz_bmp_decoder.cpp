// Fuzzes the face bitmap decoder with arbitrary bytes. Refusing a file is fine; a crash, a
// sanitizer report or a picture of the wrong shape is a bug.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "core/skin/bmp_decoder.h"
#include "tests/fuzz/fuzz_support.h"

// A few bytes of RLE may rightly ask for up to 16384 x 16384 pixels, a GiB that costs time and
// proves nothing new, so pictures of over a million pixels are skipped (little-endian fields).
static bool DeclaresHugePicture(const uint8_t* data, std::size_t size) {
  int32_t width = 0, height = 0, headerSize = 0;
  if (size < 26) return false;
  std::memcpy(&headerSize, data + 14, 4);
  std::memcpy(&width, data + 18, headerSize == 12 ? 2 : 4);
  std::memcpy(&height, data + (headerSize == 12 ? 20 : 22), headerSize == 12 ? 2 : 4);
  return std::llabs(width) * std::llabs(height) > (1 << 20);
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  using quarvel::fuzz::Check;
  if (DeclaresHugePicture(data, size)) return 0;
  const auto picture = quarvel::DecodeBmp({reinterpret_cast<const char*>(data), size});
  if (!picture) return 0;
  const int w = picture->width, h = picture->height, most = quarvel::kMaxPictureSide;
  Check(w >= 1 && w <= most && h >= 1 && h <= most, "a side outside 1..16384");
  Check(picture->pixels.size() == static_cast<std::size_t>(w) * static_cast<std::size_t>(h),
        "not width x height pixels");
  for (quarvel::Pixel pixel : picture->pixels)
    Check(pixel <= 0xFFFFFF, "a pixel beyond 0x00RRGGBB");
  return 0;
}
