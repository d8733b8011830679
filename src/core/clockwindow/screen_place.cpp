#include "core/clockwindow/screen_place.h"

#include <algorithm>
#include <limits>

namespace quarvel {

namespace {
// The squared distance from a point to the nearest point of a rectangle (0 inside it).
double DistanceSquared(double x, double y, const ScreenRect& r) {
  const double dx = x - std::clamp(x, static_cast<double>(r.left), static_cast<double>(r.right));
  const double dy = y - std::clamp(y, static_cast<double>(r.top), static_cast<double>(r.bottom));
  return dx * dx + dy * dy;
}

int32_t Fit(int32_t wanted, int32_t from, int32_t to, int32_t size) {
  // A face larger than the work area keeps its top-left corner on it.
  return std::max(from, std::min(wanted, static_cast<int32_t>(int64_t{to} - size)));
}
}  // namespace

ScreenPoint PlaceOnScreen(ScreenPoint saved, int32_t faceDiameter,
                          const std::vector<Monitor>& monitors) {
  const double radius = faceDiameter / 2.0;
  const double cx = saved.x + radius, cy = saved.y + radius;
  const Monitor* nearest = nullptr;
  double nearestDistance = std::numeric_limits<double>::infinity();
  for (const Monitor& m : monitors) {
    const double d = DistanceSquared(cx, cy, m.bounds);
    if (d < radius * radius) return saved;  // some of the circle is on this monitor
    if (d < nearestDistance) nearestDistance = d, nearest = &m;
  }
  if (nearest == nullptr) return saved;  // the system told of no monitor: nothing to go by
  const ScreenRect& area = nearest->workArea;
  return {Fit(saved.x, area.left, area.right, faceDiameter),
          Fit(saved.y, area.top, area.bottom, faceDiameter)};
}

}  // namespace quarvel
