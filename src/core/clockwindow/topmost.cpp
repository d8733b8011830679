#include "core/clockwindow/topmost.h"

namespace quarvel {

void SetTopmost(PlatformWindow& window, int16_t flag, WindowLayer lower) {
  if (flag == 1) window.SetLayer(WindowLayer::kTopmost);
  if (flag == 0) window.SetLayer(lower);
}

WindowLayer LayerBesideTopmost(const ClockOptions& options) {
  return options.layer == ClockLayer::kBelow ? WindowLayer::kBelow : WindowLayer::kNormal;
}

}  // namespace quarvel
