#pragma once
// SetTopmost: 1 puts a window into the top-most layer, 0 takes it out, into `lower` (the
// normal layer, or below every window where the options say so), and any other value, -1
// included, does nothing. Callers pass 1, never the flag value -1, to switch it on.
#include <cstdint>

#include "core/skin/clock_options.h"
#include "platform/platform_window.h"

namespace quarvel {

void SetTopmost(PlatformWindow& window, int16_t flag, WindowLayer lower = WindowLayer::kNormal);

// The layer a clock out of the top-most one goes to: the options' own, or the normal layer.
WindowLayer LayerBesideTopmost(const ClockOptions& options);

}  // namespace quarvel
