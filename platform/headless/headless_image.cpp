#include "platform/headless/headless_image.h"

#include <filesystem>
#include <system_error>

#include "runtime/runtime_error.h"

// The stb headers are third-party code: build their implementations here only, without our
// warnings-as-errors rules.
#if defined(__GNUC__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wall"
#pragma GCC diagnostic ignored "-Wextra"
#pragma GCC diagnostic ignored "-Wconversion"
#pragma GCC diagnostic ignored "-Wsign-conversion"
#pragma GCC diagnostic ignored "-Wdouble-promotion"
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"
#pragma GCC diagnostic ignored "-Wcast-qual"
#pragma GCC diagnostic ignored "-Wshadow"
#endif
#define STB_IMAGE_IMPLEMENTATION
#define STBI_NO_STDIO_WARNINGS
#define STBI_FAILURE_USERMSG
#include <stb/stb_image.h>
#define STB_IMAGE_WRITE_IMPLEMENTATION
#include <stb/stb_image_write.h>
#if defined(__GNUC__)
#pragma GCC diagnostic pop
#endif

namespace quarvel {

HeadlessImage LoadImageFile(const std::string& path) {
  std::error_code ec;
  if (!std::filesystem::exists(path, ec)) throw RuntimeError(ErrorNumber::kFileNotFound, path);
  int width = 0, height = 0, channels = 0;
  unsigned char* pixels = stbi_load(path.c_str(), &width, &height, &channels, 3);
  if (pixels == nullptr) throw RuntimeError(ErrorNumber::kInvalidPicture, path);
  HeadlessImage image;
  image.width = width;
  image.height = height;
  image.rgb.assign(pixels, pixels + static_cast<std::size_t>(width) * height * 3);
  stbi_image_free(pixels);
  return image;
}

void WritePng(const HeadlessImage& image, const std::string& path) {
  if (image.empty() || stbi_write_png(path.c_str(), image.width, image.height, 3, image.rgb.data(),
                                      image.width * 3) == 0)
    throw RuntimeError(ErrorNumber::kPathFileAccessError, path);
}

}  // namespace quarvel
