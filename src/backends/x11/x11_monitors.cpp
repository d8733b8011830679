#include "backends/x11/x11_monitors.h"

#include <X11/Xatom.h>
#include <X11/extensions/Xrandr.h>

#include <algorithm>
#include <cstdint>
#include <optional>

namespace quarvel {

namespace {
// X coordinates and sizes are 16-bit: a value beyond them is no place on any screen.
constexpr uint32_t kMaxCoordinate = 32767;
constexpr uint32_t kMaxSize = 65535;

// EWMH gives one work area for the whole desktop, not one per monitor: each monitor gets the
// part of it on its own screen, or its bounds where the two don't meet.
ScreenRect WorkAreaOn(const ScreenRect& bounds, const std::optional<ScreenRect>& area) {
  if (!area) return bounds;
  const ScreenRect part{std::max(bounds.left, area->left), std::max(bounds.top, area->top),
                        std::min(bounds.right, area->right), std::min(bounds.bottom, area->bottom)};
  return part.left < part.right && part.top < part.bottom ? part : bounds;
}

// The work area of the current desktop, or nothing without a window manager that sets it.
// NOTE: any client may write these root properties: a desktop number beyond the list, a list
// cut short or a rectangle no screen can hold count as no work area.
std::optional<ScreenRect> CurrentWorkArea(const X11Display& display) {
  const std::vector<long> areas =
      display.ReadCardinals(display.root(), "_NET_WORKAREA", XA_CARDINAL);
  const std::vector<long> current =
      display.ReadCardinals(display.root(), "_NET_CURRENT_DESKTOP", XA_CARDINAL);
  // CARDINALs are 32 bits, whatever the width of the longs Xlib hands them over in.
  const std::size_t desktop = current.empty() ? 0 : static_cast<uint32_t>(current[0]);
  if (desktop >= areas.size() / 4) return std::nullopt;
  const auto value = [&](std::size_t i) { return static_cast<uint32_t>(areas[4 * desktop + i]); };
  const uint32_t x = value(0), y = value(1), width = value(2), height = value(3);
  if (x > kMaxCoordinate || y > kMaxCoordinate || width == 0 || width > kMaxSize || height == 0 ||
      height > kMaxSize)
    return std::nullopt;
  const auto left = static_cast<int32_t>(x), top = static_cast<int32_t>(y);
  return ScreenRect{left, top, left + static_cast<int32_t>(width),
                    top + static_cast<int32_t>(height)};
}
}  // namespace

std::vector<Monitor> X11Monitors(const X11Display& display) {
  if (const std::vector<Monitor>* known = display.KnownMonitors()) return *known;
  Display* d = display.get();
  const std::optional<ScreenRect> workArea = CurrentWorkArea(display);
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
  display.KeepMonitors(monitors);
  return monitors;
}

}  // namespace quarvel
