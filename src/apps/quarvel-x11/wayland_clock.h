#pragma once
// The clock on a Wayland desktop's layer shell, without X: chosen where the compositor offers
// the layer shell, or with QUARVEL_BACKEND=wayland.
#include <memory>
#include <string>

#include "backends/wayland/wayland_display.h"

namespace quarvel {

// The compositor, if it can show the clock: connected, with the layer shell and what a face
// needs. Else null, and `why` says what was missing.
std::unique_ptr<WaylandDisplay> OpenLayerShellDisplay(std::string& why);

// Runs the clock until it ends; the exit status when it can't start.
int RunWaylandClock(WaylandDisplay& display);

}  // namespace quarvel
