#pragma once
// A drag of the clock's layer surface: it goes where it was at the press plus all the pointer's
// motion since, so it follows the hand with no feedback from its own moves. Not the surface-local
// places the compositor sends: they shift as the surface moves under the pointer (some
// compositors keep them to where the press was, others follow the surface), and the compositor
// tells no client where the pointer is on the desktop.
#include "platform/platform_types.h"

namespace quarvel {

class WaylandDrag {
 public:
  // A press on the surface at `place` (desktop pixels) starts a drag.
  void Begin(ScreenPoint place);
  // The pointer moved by (dx, dy) pixels (fractions add up, as relative motion comes).
  void Moved(double dx, double dy);
  // The button went up, or the surface lost the pointer: the drag is over.
  void End() { active_ = false; }

  bool active() const { return active_; }
  // Where the surface goes now.
  ScreenPoint Place() const;
  // Whether it went anywhere since the press.
  bool MovedAway() const { return Place() != start_; }

 private:
  ScreenPoint start_;
  double dx_ = 0;
  double dy_ = 0;
  bool active_ = false;
};

}  // namespace quarvel
