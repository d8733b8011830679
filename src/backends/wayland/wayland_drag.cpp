#include "backends/wayland/wayland_drag.h"

#include <cmath>

namespace quarvel {

void WaylandDrag::Begin(ScreenPoint place) {
  start_ = place;
  dx_ = 0;
  dy_ = 0;
  active_ = true;
}

void WaylandDrag::Moved(double dx, double dy) {
  if (!active_) return;
  dx_ += dx;
  dy_ += dy;
}

// Rounded from the sum, never summed rounded steps: half-pixel moves don't drift away.
ScreenPoint WaylandDrag::Place() const {
  return {start_.x + static_cast<int32_t>(std::lround(dx_)),
          start_.y + static_cast<int32_t>(std::lround(dy_))};
}

}  // namespace quarvel
