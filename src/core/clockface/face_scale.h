#pragma once
// The clock's scale: how much larger than its face bitmap the whole clock is drawn. The window,
// the face, the dial's margin, the pen and with them the dodge square grow by it; at 1 every
// pixel is the bitmap's own. The one place where a scale is chosen and applied.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "platform/platform_types.h"

namespace quarvel {

inline constexpr float kMinScale = 0.5f;
inline constexpr float kMaxScale = 4.0f;
// A skin's sharp face for this scale and above: "<name>@2x.<ext>" beside the face.
inline constexpr float kSharpFaceScale = 2.0f;
// A size the user fixes for the clock, in percent of its face bitmap: kMinScale..kMaxScale.
inline constexpr int16_t kMinSizePercent = 50;
inline constexpr int16_t kMaxSizePercent = 400;
static_assert(kMinSizePercent == kMinScale * 100 && kMaxSizePercent == kMaxScale * 100);

// A scale as a user writes it ("1", "1.5", "2"): a plain decimal number within
// kMinScale..kMaxScale, else nothing.
std::optional<float> ParseScale(std::string_view text);

// The scale of a screen of `twipsPerPixel` (1440 / dpi): dpi / 96 to the nearest quarter, so
// 96 and 100 dpi draw at 1, 144 at 1.5 and 192 at 2; within kMinScale..kMaxScale.
float ScaleForScreen(float twipsPerPixel);

// Whether `percent` is a size the user may fix: kMinSizePercent..kMaxSizePercent.
bool IsSizePercent(int32_t percent);

// The scale the clock draws at: the setting of this run when it is one (QUARVEL_SCALE, the
// preview's --scale), else the size fixed in the settings (`sizePercent`, 0 for none), else the
// screen's when the system draws windows as given, else 1.
float ChooseScale(const std::string& setting, int16_t sizePercent, bool drawsAtScreenDpi,
                  float twipsPerPixel);

// A length of the 1x clock at the scale: exact at 1, rounded ties to even elsewhere.
int32_t ScaledLength(int32_t length, float scale);

// The skin's pen at the scale: s x width, a whole pixel, at least 1. A width below 1 is given
// back as it is, for the canvas to refuse as it always has.
int16_t ScaledPenWidth(int16_t width, float scale);

// The name of the sharp face beside `name`: "qv.bmp" gives "qv@2x.bmp", "face" "face@2x".
std::string SharpFaceName(const std::string& name);

// The picture at width x height: unchanged when it already has that size, each pixel repeated
// when the size is a whole multiple of it, otherwise filtered (stb's resize, in sRGB). A result
// too large for memory raises the out of memory error.
PixelImage ResamplePicture(const PixelImage& picture, int32_t width, int32_t height);

}  // namespace quarvel
