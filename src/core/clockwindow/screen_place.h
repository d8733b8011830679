#pragma once
// Where a saved place opens the clock. A place from which no part of the round face would be
// on any monitor (one was unplugged, the resolution shrank, the file was edited by hand) would
// open a clock nobody can see or reach: it has no task-bar button. Such a place moves onto the
// nearest monitor's work area, as near the saved place as fits; a place partly on a screen
// stays as it is.
#include <cstdint>
#include <vector>

#include "platform/platform_types.h"

namespace quarvel {

ScreenPoint PlaceOnScreen(ScreenPoint saved, int32_t faceDiameter,
                          const std::vector<Monitor>& monitors);

}  // namespace quarvel
