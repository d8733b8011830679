#pragma once
// Pixels and twips. The window system places windows in twips (1/1440 inch); the clock keeps
// pixels. The horizontal factor goes with left edges and widths, the vertical with tops and
// heights.
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

}  // namespace quarvel
