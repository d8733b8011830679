#include "core/clockface/face_scale.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <new>

#include "runtime/checked_math.h"
#include "runtime/runtime_error.h"

#if defined(QUARVEL_STB_RESIZE)
#if defined(__GNUC__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wall"
#pragma GCC diagnostic ignored "-Wextra"
#pragma GCC diagnostic ignored "-Wshadow"
#endif
#define STB_IMAGE_RESIZE_IMPLEMENTATION
#define STB_IMAGE_RESIZE_STATIC
#include <stb/stb_image_resize.h>
#if defined(__GNUC__)
#pragma GCC diagnostic pop
#endif
#endif

namespace quarvel {

std::optional<float> ParseScale(std::string_view text) {
  // Digits and points only: no sign, exponent, blank or "inf"; a second point or a lone one
  // is left unread by from_chars, and refused below.
  if (text.empty() || text.size() > 16) return std::nullopt;
  for (char c : text)
    if (c != '.' && (c < '0' || c > '9')) return std::nullopt;
  float value = 0;
  const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
  if (result.ec != std::errc() || result.ptr != text.data() + text.size()) return std::nullopt;
  if (!(value >= kMinScale && value <= kMaxScale)) return std::nullopt;
  return value;
}

float ScaleForScreen(float twipsPerPixel) {
  if (!(twipsPerPixel > 0)) return 1.0f;
  const double dpi = 1440.0 / static_cast<double>(twipsPerPixel);
  const double quarters = std::nearbyint(dpi / 96.0 * 4.0);
  return std::clamp(static_cast<float>(quarters / 4.0), kMinScale, kMaxScale);
}

bool IsSizePercent(int32_t percent) {
  return percent >= kMinSizePercent && percent <= kMaxSizePercent;
}

float ChooseScale(const std::string& setting, int16_t sizePercent, bool drawsAtScreenDpi,
                  float twipsPerPixel) {
  if (const std::optional<float> chosen = ParseScale(setting)) return *chosen;
  if (IsSizePercent(sizePercent)) return static_cast<float>(sizePercent) / 100.0f;
  return drawsAtScreenDpi ? ScaleForScreen(twipsPerPixel) : 1.0f;
}

int32_t ScaledLength(int32_t length, float scale) {
  if (scale == 1.0f) return length;
  return Round32(static_cast<double>(length) * static_cast<double>(scale));
}

int16_t ScaledPenWidth(int16_t width, float scale) {
  if (width < 1 || scale == 1.0f) return width;
  return std::max<int16_t>(1, Round16(static_cast<double>(width) * static_cast<double>(scale)));
}

std::string SharpFaceName(const std::string& name) {
  // The extension is what follows the last point of the file's own name, not of a folder's.
  const std::size_t nameStart = name.find_last_of("/\\");
  const std::size_t dot = name.rfind('.');
  const bool hasExtension =
      dot != std::string::npos && (nameStart == std::string::npos || dot > nameStart);
  if (!hasExtension) return name + "@2x";
  return name.substr(0, dot) + "@2x" + name.substr(dot);
}

PixelImage ResamplePicture(const PixelImage& picture, int32_t width, int32_t height) {
  if (picture.empty() || (width == picture.width && height == picture.height)) return picture;
  PixelImage out;
  out.width = std::max(width, 0);
  out.height = std::max(height, 0);
  try {
    out.pixels.assign(static_cast<std::size_t>(out.width) * static_cast<std::size_t>(out.height),
                      0);
  } catch (const std::bad_alloc&) {
    Raise(ErrorNumber::kOutOfMemory);  // as a canvas too large for memory: the face is not shown
  }
  if (out.empty()) return out;
  [[maybe_unused]] const bool whole =
      out.width % picture.width == 0 && out.height % picture.height == 0;
#if defined(QUARVEL_STB_RESIZE)
  if (!whole) {
    const int ok = stbir_resize_uint8_srgb(
        reinterpret_cast<const unsigned char*>(picture.pixels.data()), picture.width,
        picture.height, 0, reinterpret_cast<unsigned char*>(out.pixels.data()), out.width,
        out.height, 0, 4, STBIR_ALPHA_CHANNEL_NONE, 0);
    if (ok != 0) {
      for (Pixel& p : out.pixels) p &= 0xFFFFFFu;  // the fourth byte is no colour
      return out;
    }
  }
#endif
  // Nearest neighbour: each pixel of the result takes the source pixel under its centre, which
  // at a whole scale repeats every pixel exactly.
  for (int y = 0; y < out.height; ++y) {
    const int sy = static_cast<int>((static_cast<int64_t>(y) * 2 + 1) * picture.height /
                                    (static_cast<int64_t>(out.height) * 2));
    for (int x = 0; x < out.width; ++x) {
      const int sx = static_cast<int>((static_cast<int64_t>(x) * 2 + 1) * picture.width /
                                      (static_cast<int64_t>(out.width) * 2));
      out.pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(out.width) +
                 static_cast<std::size_t>(x)] = picture.At(sx, sy);
    }
  }
  return out;
}

}  // namespace quarvel
