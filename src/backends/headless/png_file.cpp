#include "backends/headless/png_file.h"

#include <cstdint>
#include <vector>

#include "runtime/safe_file.h"
#include "runtime/system_errors.h"

// The stb header is third-party code: build its implementation here only, without our
// warnings-as-errors rules.
#if defined(__GNUC__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wall"
#pragma GCC diagnostic ignored "-Wextra"
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"
#pragma GCC diagnostic ignored "-Wshadow"
#endif
#define STB_IMAGE_WRITE_IMPLEMENTATION
#include <stb/stb_image_write.h>
#if defined(__GNUC__)
#pragma GCC diagnostic pop
#endif

namespace quarvel {

std::string EncodePng(const PixelImage& image, const std::string& nameForErrors) {
  std::vector<uint8_t> rgb;
  rgb.reserve(image.pixels.size() * 3);
  for (Pixel p : image.pixels) {
    rgb.push_back(static_cast<uint8_t>(p >> 16));
    rgb.push_back(static_cast<uint8_t>(p >> 8));
    rgb.push_back(static_cast<uint8_t>(p));
  }
  int size = 0;
  unsigned char* png = image.empty() ? nullptr
                                     : stbi_write_png_to_mem(rgb.data(), image.width * 3,
                                                             image.width, image.height, 3, &size);
  if (png == nullptr) throw FileMakingError(FailureKind::kNoMemory, nameForErrors);
  const std::string bytes(reinterpret_cast<const char*>(png), static_cast<std::size_t>(size));
  STBIW_FREE(png);
  return bytes;
}

void WritePng(const PixelImage& image, const std::string& path) {
  // Through a temporary file that then takes the name: a full disk leaves no half picture.
  SafeReplace(path, EncodePng(image, path), path);
}

}  // namespace quarvel
