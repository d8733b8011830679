#pragma once
// SetTopmost: 1 puts a window into the top-most layer, 0 takes it out, and any other value,
// -1 included, does nothing. Callers pass 1, never the flag value -1, to switch it on.
#include <cstdint>

#include "platform/platform_window.h"

namespace quarvel {

void SetTopmost(PlatformWindow& window, int16_t flag);

}  // namespace quarvel
