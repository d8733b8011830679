#pragma once
// Pixels and twips. The window system of the clock's design places windows in twips (1/1440
// inch) while the clock keeps pixels, so every place and size the clock hands to the window, or
// reads back from it, makes the round trip through twips with the screen's factors: the
// horizontal factor for left edges and widths, the vertical one for tops and heights.
#include <cstdint>

#include "runtime/checked_math.h"

namespace quarvel {

// factor x pixels, in double precision, handed on as single precision.
inline float PixelsToTwips(float factor, int32_t pixels) {
  return static_cast<float>(static_cast<double>(factor) * pixels);
}

// twips / factor, rounded to the nearest, ties to even.
inline int32_t TwipsToPixels(float twips, float factor) {
  return Round32(static_cast<double>(twips) / static_cast<double>(factor));
}

// Pixels as the window takes them, or gives them back: through twips and back again.
inline int32_t ThroughTwips(float factor, int32_t pixels) {
  return TwipsToPixels(PixelsToTwips(factor, pixels), factor);
}

}  // namespace quarvel
