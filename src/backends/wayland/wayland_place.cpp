#include "backends/wayland/wayland_place.h"

#include <algorithm>
#include <cstdint>
#include <limits>

namespace quarvel {

namespace {
int64_t Overlap(int64_t a, int64_t aEnd, int64_t b, int64_t bEnd) {
  return std::max<int64_t>(0, std::min(aEnd, bEnd) - std::max(a, b));
}

int64_t SharedArea(ScreenPoint place, int32_t size, const ScreenRect& r) {
  return Overlap(place.x, int64_t{place.x} + size, r.left, r.right) *
         Overlap(place.y, int64_t{place.y} + size, r.top, r.bottom);
}

// How far the point lies outside the rectangle, squared (0 inside).
int64_t DistanceSquared(ScreenPoint p, const ScreenRect& r) {
  const int64_t dx = p.x < r.left     ? int64_t{r.left} - p.x
                     : p.x >= r.right ? int64_t{p.x} - r.right + 1
                                      : 0;
  const int64_t dy = p.y < r.top       ? int64_t{r.top} - p.y
                     : p.y >= r.bottom ? int64_t{p.y} - r.bottom + 1
                                       : 0;
  return dx * dx + dy * dy;
}
}  // namespace

LayerPlace LayerPlaceFor(ScreenPoint place, int32_t size, const std::vector<ScreenRect>& outputs) {
  std::size_t best = 0;
  int64_t bestArea = 0;
  for (std::size_t i = 0; i < outputs.size(); ++i)
    if (const int64_t area = SharedArea(place, size, outputs[i]); area > bestArea) {
      best = i;
      bestArea = area;
    }
  if (bestArea == 0) {
    const ScreenPoint centre{place.x + size / 2, place.y + size / 2};
    int64_t nearest = std::numeric_limits<int64_t>::max();
    for (std::size_t i = 0; i < outputs.size(); ++i)
      if (const int64_t d = DistanceSquared(centre, outputs[i]); d < nearest) {
        best = i;
        nearest = d;
      }
  }
  if (outputs.empty()) return {0, place.x, place.y};
  return {best, place.x - outputs[best].left, place.y - outputs[best].top};
}

ScreenPoint DesktopPlaceOf(const LayerPlace& layer, const std::vector<ScreenRect>& outputs) {
  if (layer.output >= outputs.size()) return {layer.marginLeft, layer.marginTop};
  const ScreenRect& output = outputs[layer.output];
  return {output.left + layer.marginLeft, output.top + layer.marginTop};
}

bool AnyOutputShows(ScreenPoint place, int32_t size, const std::vector<ScreenRect>& outputs) {
  return std::any_of(outputs.begin(), outputs.end(),
                     [&](const ScreenRect& r) { return SharedArea(place, size, r) > 0; });
}

}  // namespace quarvel
