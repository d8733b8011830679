// The canvas every face is drawn on: the round pen, clipped lines, the clear.
#include "core/clockface/face_canvas.h"

#include <gtest/gtest.h>

#include <random>

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

TEST(FaceCanvas, ThePenIsADiscOfItsWidthAtLeastOnePixel) {
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
  // A pen below one pixel is refused, and the old one stays.
  FaceCanvas canvas = Dot(3, 3, 3);
  EXPECT_EQ(testing::ErrorOf([&] { canvas.SetDrawWidth(0); }), 380);
  EXPECT_EQ(canvas.DrawWidth(), 3);
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

TEST(FaceCanvas, ClsPutsThePictureBackUnderTheLinesAtTheCornerAndTheBackColourBeyondIt) {
  FaceCanvas canvas(3, 3);
  canvas.SetBackgroundPicture({2, 4, {1, 2, 3, 4, 5, 6, 7, 8}});
  canvas.SetForeColor(kRed);
  canvas.Line(0, 0, 2, 2);
  EXPECT_EQ(canvas.PixelAt(1, 1), kRed);
  canvas.Cls();
  EXPECT_TRUE(canvas.segments().empty());
  const Pixel back = PixelFromColorRef(FaceCanvas::kBackColor);
  EXPECT_EQ(canvas.pixels().pixels, (std::vector<Pixel>{1, 2, back, 3, 4, back, 5, 6, back}));
}

// Lines kept, moved, dropped, added or reordered on a reused canvas: the same bytes as afresh.
TEST(FaceCanvas, DrawingAgainGivesTheSamePixelsAsDrawingAfresh) {
  constexpr int kWidth = 61, kHeight = 47, kFar = 2000000000;
  PixelImage picture{50, 40, {}};
  for (int i = 0; i < 50 * 40; ++i) picture.pixels.push_back(static_cast<Pixel>(i * 2654435761u));
  std::mt19937 random(7);
  auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(random); };
  auto color = [&] { return static_cast<ColorRef>(pick(0, 2) * 0x7F7F); };
  auto width = [&](int widest) { return static_cast<int16_t>(pick(1, widest)); };
  FaceCanvas reused(kWidth, kHeight);
  reused.SetBackgroundPicture(picture);
  std::vector<DrawnSegment> lines;
  for (int round = 0; round < 1000; ++round) {
    SCOPED_TRACE(round);
    // Most lines stay as they were, as the hour and minute hands do; some move or swap places.
    for (DrawnSegment& line : lines)
      if (pick(0, 3) == 0)
        line = {pick(-10, 70), pick(-10, 55), pick(-10, 70), pick(-10, 55), color(), width(9)};
    // Now and then one from far away, which the canvas cuts before it walks it.
    if (!lines.empty() && pick(0, 9) == 0)
      lines.front() = {pick(-kFar, kFar), pick(-kFar, kFar), pick(0, 60), pick(0, 46), 0xFF,
                       width(5)};
    if (pick(0, 4) == 0 && lines.size() > 1)
      std::swap(lines[static_cast<std::size_t>(pick(0, static_cast<int>(lines.size()) - 1))],
                lines.back());
    if (lines.size() < 12 && pick(0, 2) == 0)
      lines.push_back(lines.empty() ? DrawnSegment{1, 1, 30, 20, 0xFF, 3} : lines.front());
    if (!lines.empty() && pick(0, 6) == 0) lines.pop_back();
    reused.Cls();
    FaceCanvas fresh(kWidth, kHeight);
    fresh.SetBackgroundPicture(picture);
    for (std::size_t i = 0; i < lines.size(); ++i) {
      for (FaceCanvas* canvas : {&reused, &fresh}) {
        canvas->SetForeColor(lines[i].color);
        canvas->SetDrawWidth(lines[i].width);
        canvas->Line(lines[i].x1, lines[i].y1, lines[i].x2, lines[i].y2);
      }
      if (pick(0, 9) == 0) {
        ASSERT_EQ(reused.pixels().pixels, fresh.pixels().pixels);
      }
    }
    ASSERT_EQ(reused.pixels().pixels, fresh.pixels().pixels);
  }
}

}  // namespace
}  // namespace quarvel
