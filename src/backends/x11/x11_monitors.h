#pragma once
// The monitors of an X screen from RandR, the primary one first, each with the part of the
// window manager's work area (_NET_WORKAREA) that lies on it. Read once and kept in the display
// until X11Display::ForgetMonitors.
#include <vector>

#include "backends/x11/x11_display.h"
#include "platform/platform_types.h"

namespace quarvel {

std::vector<Monitor> X11Monitors(const X11Display& display);

}  // namespace quarvel
