#pragma once
// The face as a window with alpha shows it (a 32-bit X11 window under a compositing manager, a
// Wayland surface): inside the round region the core's pixels, opaque or at the opacity set;
// outside it nothing (0: transparent, as premultiplied alpha has it). Only the part that changed
// is converted again.
#include <vector>

#include "platform/ellipse_region.h"
#include "platform/platform_types.h"

namespace quarvel {

class AlphaFace {
 public:
  // Empty rows: the whole square is opaque (a window with no region).
  void SetRegion(const std::vector<RegionRow>& rows);
  // Veiled: every pixel transparent, until unveiled (the next update converts the whole face).
  void SetVeiled(bool veiled);
  // The face inside the region at this percent of opacity (100: opaque, the start), its colour
  // premultiplied by it.
  void SetOpacity(int percent);
  // Brings the part of the face into the alpha picture (all of it after a new size or region).
  // Returns the part to show: the one given, or the whole picture.
  ChangedPart Update(const PixelImage& face, const ChangedPart& part);
  const PixelImage& pixels() const { return pixels_; }

 private:
  bool Inside(int x, int y) const;

  std::vector<RegionRow> rowOf_;  // indexed by y: the region's row there (empty: none)
  bool round_ = false;
  bool veiled_ = false;
  uint32_t alpha_ = 0xFF;  // the face's alpha inside the region
  bool whole_ = true;      // the next update converts the whole face
  PixelImage pixels_;
};

}  // namespace quarvel
