#pragma once
// The clock on a Wayland desktop's layer shell, without X: chosen with QUARVEL_BACKEND=wayland.
namespace quarvel {

// Runs the clock until it ends; the exit status when it can't start.
int RunWaylandClock();

}  // namespace quarvel
