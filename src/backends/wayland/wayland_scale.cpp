#include "backends/wayland/wayland_scale.h"

#include <algorithm>

namespace quarvel {

namespace {
// length x 120 / scale, to the nearest, at least 1.
int32_t Logical(int32_t length, int32_t scale) {
  const int64_t scaled = (int64_t{length} * kScaleUnit + scale / 2) / scale;
  return static_cast<int32_t>(std::clamp<int64_t>(scaled, 1, INT32_MAX));
}
int32_t FloorTo(int32_t at, int32_t from, int32_t to) {
  return static_cast<int32_t>(int64_t{at} * to / from);
}
int32_t CeilTo(int32_t at, int32_t from, int32_t to) {
  return static_cast<int32_t>((int64_t{at} * to + from - 1) / from);
}
}  // namespace

SurfaceScale SurfaceScaleFor(int32_t bufferWidth, int32_t bufferHeight, int32_t scale,
                             bool hasViewporter) {
  if (scale < kScaleUnit / 4) scale = kScaleUnit;  // none told: 1x
  if (scale % kScaleUnit == 0) {
    const int32_t whole = scale / kScaleUnit;
    if (bufferWidth % whole == 0 && bufferHeight % whole == 0)
      return {whole, bufferWidth / whole, bufferHeight / whole, false};
  }
  if (!hasViewporter) return {1, bufferWidth, bufferHeight, false};
  return {1, Logical(bufferWidth, scale), Logical(bufferHeight, scale), true};
}

TwipsPerPixel TwipsAtOutputScale(int32_t scale) {
  if (scale < kScaleUnit / 4) scale = kScaleUnit;
  const float twips = 15.0f * kScaleUnit / static_cast<float>(scale);
  return {twips, twips};
}

std::vector<ImageRect> LogicalRegion(const std::vector<RegionRow>& rows, int32_t bufferWidth,
                                     int32_t bufferHeight, const SurfaceScale& scale) {
  std::vector<ImageRect> rects;
  if (bufferWidth < 1 || bufferHeight < 1) return rects;
  for (const RegionRow& row : rows) {
    const ImageRect rect{
        FloorTo(row.left, bufferWidth, scale.width), FloorTo(row.y, bufferHeight, scale.height),
        CeilTo(row.right, bufferWidth, scale.width), CeilTo(row.y + 1, bufferHeight, scale.height)};
    // Two buffer rows in one logical row: one rectangle, the wider.
    if (!rects.empty() && rects.back().top == rect.top && rects.back().bottom == rect.bottom) {
      rects.back().left = std::min(rects.back().left, rect.left);
      rects.back().right = std::max(rects.back().right, rect.right);
    } else {
      rects.push_back(rect);
    }
  }
  return rects;
}

}  // namespace quarvel
