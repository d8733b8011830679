// The clock's opacity as the window systems take it: a property's cardinal, and the alpha face
// a compositor blends (colour premultiplied), with the dodge's see-through face kept.
#include <gtest/gtest.h>

#include "platform/alpha_face.h"
#include "platform/opacity_scale.h"

namespace quarvel {
namespace {

TEST(WindowOpacity, PercentOnEachScaleToTheNearestStep) {
  EXPECT_EQ(OpacityOnScale(100, 0xFFFFFFFF), 0xFFFFFFFFu);
  EXPECT_EQ(OpacityOnScale(60, 0xFFFFFFFF), 0x99999999u);
  EXPECT_EQ(OpacityOnScale(20, 0xFFFFFFFF), 0x33333333u);
  EXPECT_EQ(OpacityOnScale(50, 0xFFFFFFFF), 0x80000000u);  // 2147483647.5 rounds up
  EXPECT_EQ(OpacityOnScale(50, 0xFF), 128u);
  EXPECT_EQ(OpacityOnScale(20, 0xFF), 51u);
  EXPECT_EQ(OpacityOnScale(0, 0xFF), 0u);
}

PixelImage Face(Pixel colour) {
  PixelImage face;
  face.width = 4;
  face.height = 4;
  face.pixels.assign(16, colour);
  return face;
}

Pixel ShownAt(AlphaFace& alpha, const PixelImage& face, int x, int y) {
  alpha.Update(face, WholeRows(WholeImage(face)));
  return alpha.pixels().pixels[static_cast<std::size_t>(y * face.width + x)];
}

TEST(WindowOpacity, AlphaFaceScalesAlphaAndColourAndKeepsTheVeil) {
  const PixelImage face = Face(0x00FF8001);
  AlphaFace alpha;
  EXPECT_EQ(ShownAt(alpha, face, 1, 1), 0xFFFF8001u);  // opaque at the start
  alpha.SetOpacity(50);
  EXPECT_EQ(ShownAt(alpha, face, 1, 1), 0x80804001u);  // 128/255 of each channel, rounded
  alpha.SetVeiled(true);                               // hidden from the pointer: nothing shows
  EXPECT_EQ(ShownAt(alpha, face, 1, 1), 0u);
  alpha.SetVeiled(false);  // back home at the opacity set, not opaque
  EXPECT_EQ(ShownAt(alpha, face, 1, 1), 0x80804001u);
  alpha.SetOpacity(100);
  EXPECT_EQ(ShownAt(alpha, face, 1, 1), 0xFFFF8001u);
}

TEST(WindowOpacity, OutsideTheRoundRegionStaysClear) {
  const PixelImage face = Face(0x00FFFFFF);
  AlphaFace alpha;
  alpha.SetRegion({{1, 1, 3}});  // row 1, columns 1 and 2
  alpha.SetOpacity(20);
  EXPECT_EQ(ShownAt(alpha, face, 1, 1), 0x33333333u);
  EXPECT_EQ(ShownAt(alpha, face, 0, 1), 0u);
  EXPECT_EQ(ShownAt(alpha, face, 1, 0), 0u);
}

}  // namespace
}  // namespace quarvel
