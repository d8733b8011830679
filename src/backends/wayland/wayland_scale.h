#pragma once
// The clock's surface at its output's scale. The core draws the face in the output's own pixels
// (its size chosen from the scale as on any screen); the surface shows that buffer at the
// logical size the desktop places it by: a whole buffer scale where the size divides, a
// viewport's destination otherwise (a fractional scale, or an odd size).
#include <cstdint>
#include <vector>

#include "platform/ellipse_region.h"
#include "platform/platform_system.h"
#include "platform/platform_types.h"

namespace quarvel {

// Scales in 120ths, the fractional-scale protocol's unit: 120 is 1x, 180 1.5x, 240 2x.
inline constexpr int32_t kScaleUnit = 120;

struct SurfaceScale {
  int32_t bufferScale = 1;  // wl_surface.set_buffer_scale
  int32_t width = 1;        // the surface's logical size
  int32_t height = 1;
  bool viewport = false;  // the logical size is a viewport's destination
  bool operator==(const SurfaceScale&) const = default;
};

// How a buffer of that size shows at `scale` (120ths). Without a viewporter a size the scale
// doesn't divide is shown at buffer scale 1: larger, but whole.
SurfaceScale SurfaceScaleFor(int32_t bufferWidth, int32_t bufferHeight, int32_t scale,
                             bool hasViewporter);

// The screen's twips per pixel at an output's scale (120ths): 96 dots per inch at 1x, so the
// clock's own rule (ScaleForScreen) gives the output's scale back to the nearest quarter.
TwipsPerPixel TwipsAtOutputScale(int32_t scale);

// The rows of a region in buffer pixels as rectangles of the surface's logical pixels: every
// logical pixel a buffer pixel of the region falls in.
std::vector<ImageRect> LogicalRegion(const std::vector<RegionRow>& rows, int32_t bufferWidth,
                                     int32_t bufferHeight, const SurfaceScale& scale);

}  // namespace quarvel
