#include "platform/x11/x11_monitors.h"

#include <X11/Xatom.h>
#include <X11/extensions/Xrandr.h>

#include <algorithm>

namespace quarvel {

namespace {
// EWMH gives one work area for the whole desktop, not one per monitor: each monitor gets the
// part of it on its own screen, or its bounds where the two don't meet.
ScreenRect WorkAreaOn(const ScreenRect& bounds, const std::vector<long>& workArea) {
  if (workArea.size() < 4) return bounds;
  const ScreenRect area{static_cast<int32_t>(workArea[0]), static_cast<int32_t>(workArea[1]),
                        static_cast<int32_t>(workArea[0] + workArea[2]),
                        static_cast<int32_t>(workArea[1] + workArea[3])};
  const ScreenRect part{std::max(bounds.left, area.left), std::max(bounds.top, area.top),
                        std::min(bounds.right, area.right), std::min(bounds.bottom, area.bottom)};
  return part.left < part.right && part.top < part.bottom ? part : bounds;
}

// The work area of the current desktop, or nothing without a window manager that sets it.
std::vector<long> CurrentWorkArea(const X11Display& display) {
  std::vector<long> areas = display.ReadCardinals(display.root(), "_NET_WORKAREA", XA_CARDINAL);
  const std::vector<long> current =
      display.ReadCardinals(display.root(), "_NET_CURRENT_DESKTOP", XA_CARDINAL);
  const std::size_t desktop = current.empty() ? 0 : static_cast<std::size_t>(current[0]);
  if (areas.size() < 4 * (desktop + 1)) return {};
  return {areas.begin() + static_cast<long>(4 * desktop),
          areas.begin() + static_cast<long>(4 * desktop + 4)};
}
}  // namespace

std::vector<Monitor> X11Monitors(const X11Display& display) {
  Display* d = display.get();
  const std::vector<long> workArea = CurrentWorkArea(display);
  std::vector<Monitor> monitors;
  int eventBase = 0, errorBase = 0, count = 0;
  XRRMonitorInfo* found = nullptr;
  if (XRRQueryExtension(d, &eventBase, &errorBase))
    found = XRRGetMonitors(d, display.root(), True, &count);
  for (int i = 0; i < count; ++i) {
    const ScreenRect bounds{found[i].x, found[i].y, found[i].x + found[i].width,
                            found[i].y + found[i].height};
    const Monitor monitor{bounds, WorkAreaOn(bounds, workArea)};
    if (found[i].primary)
      monitors.insert(monitors.begin(), monitor);
    else
      monitors.push_back(monitor);
  }
  if (found != nullptr) XRRFreeMonitors(found);
  if (monitors.empty()) {  // no RandR: the screen is one monitor
    const ScreenRect bounds{0, 0, DisplayWidth(d, display.screen()),
                            DisplayHeight(d, display.screen())};
    monitors.push_back({bounds, WorkAreaOn(bounds, workArea)});
  }
  return monitors;
}

}  // namespace quarvel
