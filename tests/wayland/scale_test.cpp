// The clock's surface at its output's scale: the buffer in the output's pixels, the surface at
// its logical size, the clock's own scale rule given the output's scale, the round input region.
#include <gtest/gtest.h>

#include "backends/wayland/wayland_scale.h"
#include "core/clockface/face_scale.h"

namespace quarvel {
namespace {

TEST(SurfaceScale, WholeScalesDivideTheBufferAndOthersTakeAViewport) {
  // 1x and 2x with a size they divide: a buffer scale, no viewport.
  EXPECT_EQ(SurfaceScaleFor(200, 200, 120, true), (SurfaceScale{1, 200, 200, false}));
  EXPECT_EQ(SurfaceScaleFor(400, 400, 240, true), (SurfaceScale{2, 200, 200, false}));
  EXPECT_EQ(SurfaceScaleFor(600, 300, 360, false), (SurfaceScale{3, 200, 100, false}));
  // 1.5x, and an odd size at 2x: a viewport to the logical size, rounded.
  EXPECT_EQ(SurfaceScaleFor(300, 300, 180, true), (SurfaceScale{1, 200, 200, true}));
  EXPECT_EQ(SurfaceScaleFor(251, 251, 240, true), (SurfaceScale{1, 126, 126, true}));
  // No viewporter: shown whole at the buffer's size.
  EXPECT_EQ(SurfaceScaleFor(251, 251, 240, false), (SurfaceScale{1, 251, 251, false}));
  // No scale told yet: 1x.
  EXPECT_EQ(SurfaceScaleFor(200, 200, 0, true), (SurfaceScale{1, 200, 200, false}));
}

TEST(SurfaceScale, TheClocksRuleGivesTheOutputsScaleBack) {
  for (const auto& [scale, clock] :
       {std::pair{120, 1.0f}, {180, 1.5f}, {240, 2.0f}, {150, 1.25f}, {360, 3.0f}, {0, 1.0f}}) {
    const TwipsPerPixel twips = TwipsAtOutputScale(scale);
    EXPECT_EQ(twips.x, twips.y);
    EXPECT_EQ(ChooseScale("", 0, true, twips.x), clock) << scale;
    // The user's own scale still wins, and a sharp face is chosen from 2x.
    EXPECT_EQ(ChooseScale("1.5", 0, true, twips.x), 1.5f) << scale;
  }
}

TEST(SurfaceScale, TheInputRegionCoversTheSameDiscInLogicalPixels) {
  const std::vector<RegionRow> rows = EllipseRegionRows(400);
  const SurfaceScale twice = SurfaceScaleFor(400, 400, 240, true);
  const std::vector<ImageRect> logical = LogicalRegion(rows, 400, 400, twice);
  ASSERT_EQ(rows.size(), 399u);     // the last row is left out
  ASSERT_EQ(logical.size(), 200u);  // two buffer rows a logical row
  for (std::size_t i = 0; i < logical.size(); ++i) {
    const RegionRow& upper = rows[2 * i];
    const RegionRow& lower = rows[std::min(2 * i + 1, rows.size() - 1)];
    EXPECT_EQ(logical[i].top, upper.y / 2);
    EXPECT_EQ(logical[i].bottom, upper.y / 2 + 1);
    EXPECT_EQ(logical[i].left, std::min(upper.left, lower.left) / 2);
    EXPECT_EQ(logical[i].right, (std::max(upper.right, lower.right) + 1) / 2);
  }
  // At 1x the rows are the rectangles.
  const std::vector<RegionRow> small = EllipseRegionRows(200);
  const std::vector<ImageRect> same =
      LogicalRegion(small, 200, 200, SurfaceScaleFor(200, 200, 120, true));
  ASSERT_EQ(same.size(), small.size());
  for (std::size_t i = 0; i < same.size(); ++i)
    EXPECT_EQ(same[i], (ImageRect{small[i].left, small[i].y, small[i].right, small[i].y + 1}));
}

}  // namespace
}  // namespace quarvel
