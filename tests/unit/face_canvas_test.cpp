// The canvas every face is drawn on: the round pen, clipped lines, the clear.
#include "clockface/face_canvas.h"

#include <gtest/gtest.h>

#include "test_support.h"

namespace quarvel {
namespace {

constexpr ColorRef kRed = 0x0000FF;

// The painted pixels of a canvas as rows of '#' (the fore colour) and '.' (anything else).
std::string Painted(const FaceCanvas& canvas) {
  std::string rows;
  for (int y = 0; y < canvas.pixels().height; ++y) {
    for (int x = 0; x < canvas.pixels().width; ++x)
      rows += canvas.PixelAt(x, y) == kRed ? '#' : '.';
    rows += '\n';
  }
  return rows;
}

FaceCanvas Dot(int16_t width, int x, int y) {
  FaceCanvas canvas(7, 7);
  canvas.SetForeColor(kRed);
  canvas.SetDrawWidth(width);
  canvas.Line(x, y, x, y);
  return canvas;
}

TEST(FaceCanvas, ThePenIsADiscOfItsWidth) {
  EXPECT_EQ(Painted(Dot(1, 3, 3)),
            ".......\n.......\n.......\n...#...\n.......\n.......\n.......\n");
  // An even pen's centre lies between pixels: width 2 covers the point and the next ones.
  EXPECT_EQ(Painted(Dot(2, 3, 3)),
            ".......\n.......\n.......\n...##..\n...##..\n.......\n.......\n");
  EXPECT_EQ(Painted(Dot(5, 3, 3)),
            ".......\n..###..\n.#####.\n.#####.\n.#####.\n..###..\n.......\n");
  // At the edge the disc is cut, not moved.
  EXPECT_EQ(Painted(Dot(5, 0, 0)),
            "###....\n###....\n##.....\n.......\n.......\n.......\n.......\n");
}

TEST(FaceCanvas, ALinePaintsBothEndsAndEveryStepBetweenClippedToTheArea) {
  FaceCanvas canvas(6, 4);
  canvas.SetForeColor(kRed);
  canvas.Line(0, 0, 5, 3);
  EXPECT_EQ(Painted(canvas), "#.....\n.##...\n...##.\n.....#\n");
  EXPECT_EQ(canvas.segments(), (std::vector<DrawnSegment>{{0, 0, 5, 3, kRed, 1}}));
  canvas.Cls();
  canvas.Line(-2000000000, 1, 2000000000, 1);  // across, from far away on both sides
  canvas.Line(30000, -30000, 30001, -30001);   // short, and nowhere near
  EXPECT_EQ(Painted(canvas), "......\n######\n......\n......\n");
  canvas.Cls();
  canvas.SetDrawWidth(32767);  // the widest pen covers it all, and at once
  canvas.Line(2, 1, 2, 1000000);
  EXPECT_EQ(Painted(canvas), "######\n######\n######\n######\n");
}

TEST(FaceCanvas, ClsShowsThePictureAtTheCornerAndTheBackColourBeyondIt) {
  FaceCanvas canvas(3, 3);
  canvas.SetBackgroundPicture({2, 4, {1, 2, 3, 4, 5, 6, 7, 8}});
  canvas.SetForeColor(kRed);
  canvas.Line(0, 0, 2, 2);
  canvas.Cls();
  EXPECT_TRUE(canvas.segments().empty());
  const Pixel back = PixelFromColorRef(FaceCanvas::kBackColor);
  EXPECT_EQ(canvas.pixels().pixels, (std::vector<Pixel>{1, 2, back, 3, 4, back, 5, 6, back}));
}

TEST(FaceCanvas, APenBelowOnePixelIsRefusedAndTheOldOneStays) {
  FaceCanvas canvas(3, 3);
  canvas.SetDrawWidth(3);
  EXPECT_EQ(testing::ErrorOf([&] { canvas.SetDrawWidth(0); }), 380);
  EXPECT_EQ(canvas.DrawWidth(), 3);
}

}  // namespace
}  // namespace quarvel
