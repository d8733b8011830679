#pragma once
// A place on the desktop (global logical pixels, as settings.ini keeps it) as the layer shell
// takes it: an output and the margins from its top-left corner; and back. The outputs' logical
// places come from xdg-output.
#include <cstddef>
#include <vector>

#include "platform/platform_types.h"

namespace quarvel {

struct LayerPlace {
  std::size_t output = 0;  // index into the outputs given
  int32_t marginLeft = 0;
  int32_t marginTop = 0;
  bool operator==(const LayerPlace&) const = default;
};

// The output that shows most of the square at `place` (the first on a tie); where none shows any
// of it, the nearest one. The margins may then be negative or reach past the output: the place
// stays the one asked for. Needs at least one output.
LayerPlace LayerPlaceFor(ScreenPoint place, int32_t size, const std::vector<ScreenRect>& outputs);

// The desktop's place of a surface at those margins on that output.
ScreenPoint DesktopPlaceOf(const LayerPlace& layer, const std::vector<ScreenRect>& outputs);

// Whether any output shows a pixel of the square at `place`.
bool AnyOutputShows(ScreenPoint place, int32_t size, const std::vector<ScreenRect>& outputs);

}  // namespace quarvel
