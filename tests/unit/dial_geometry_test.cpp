// Exact dial geometry: the quadrant rows, the 3.14 constant, ties to even, the out-of-range
// directions and the overflow paths.
#include "clockface/dial_geometry.h"

#include <gtest/gtest.h>

#include <utility>

#include "clockface/face_canvas.h"
#include "test_support.h"

namespace quarvel {
namespace {

using testing::ErrorOf;

ClockState Dial(int32_t center, int32_t radius) {
  ClockState s;
  s.centerX = center;
  s.centerY = center;
  s.radius = radius;
  return s;
}

std::pair<int, int> PointAt(ClockState s, int direction, int16_t percent = 100) {
  s.handAngle = 0;
  return {PolarX(s, static_cast<int16_t>(direction), percent),
          PolarY(s, static_cast<int16_t>(direction), percent)};
}

TEST(SetHand, PositionsBecomeDirectionsAndOutOfRangeKeepsTheOld) {
  ClockState s = Dial(100, 80);
  const std::pair<int, int> cases[] = {{0, 0}, {15, 90}, {30, 180}, {45, 270}, {59, 354}};
  for (auto [position, angle] : cases) {
    SetHand(s, static_cast<int16_t>(position), 100);
    EXPECT_EQ(s.handAngle, angle);
    EXPECT_EQ(s.handPosition, position);
  }
  SetHand(s, 60, 100);
  EXPECT_EQ(s.handPosition, 60);
  EXPECT_EQ(s.handAngle, 354);
  SetHand(s, -1, 100);
  EXPECT_EQ(s.handPosition, -1);
  EXPECT_EQ(s.handAngle, 354);
  EXPECT_EQ(s.radius, 80);
}

TEST(SetHand, PercentRescalesTheRadiusForGoodWithTiesToEven) {
  ClockState s = Dial(100, 81);
  SetHand(s, 0, 50);
  EXPECT_EQ(s.radius, 40);  // 40.5 goes to the even 40
  SetHand(s, 0, 100);
  EXPECT_EQ(s.radius, 40);
  ClockState t = Dial(100, 83);
  SetHand(t, 0, 50);
  EXPECT_EQ(t.radius, 42);  // 41.5 goes to the even 42
  ClockState huge = Dial(100, 2000000000);
  EXPECT_EQ(ErrorOf([&] { SetHand(huge, 7, 200); }), 6);
  EXPECT_EQ(huge.handPosition, 7);  // stored before the overflow
}

TEST(PointDirection, OneCorrectionEachWayOnly) {
  ClockState s;
  s.handAngle = 354;
  EXPECT_EQ(PointDirection(s, 10), 4);
  s.handAngle = 0;
  EXPECT_EQ(PointDirection(s, -10), 350);
  EXPECT_EQ(PointDirection(s, -370), -10);
  s.handAngle = 354;
  EXPECT_EQ(PointDirection(s, 366), 360);
  s.handAngle = 32767;
  EXPECT_EQ(ErrorOf([&] { PointDirection(s, 1); }), 6);  // the sum no longer fits 16 bits
}

TEST(Polar, PointsOnARadius80DialMatchTheQuadrantRows) {
  const ClockState s = Dial(100, 80);
  EXPECT_EQ(PointAt(s, 30), std::make_pair(140, 31));
  EXPECT_EQ(PointAt(s, 60), std::make_pair(169, 60));
  EXPECT_EQ(PointAt(s, 200), std::make_pair(73, 175));
  EXPECT_EQ(PointAt(s, 300), std::make_pair(31, 60));
  EXPECT_EQ(PointAt(s, 0), std::make_pair(100, 20));
  EXPECT_EQ(PointAt(s, 90), std::make_pair(180, 100));
  EXPECT_EQ(PointAt(s, 180), std::make_pair(100, 180));
  EXPECT_EQ(PointAt(s, 270), std::make_pair(20, 100));
}

TEST(Polar, TheConstant314ShowsAtLargeRadii) {
  const ClockState s = Dial(2000, 1000);
  EXPECT_EQ(PointAt(s, 0), std::make_pair(2000, 1000));
  EXPECT_EQ(PointAt(s, 90), std::make_pair(3000, 2000));
  EXPECT_EQ(PointAt(s, 1), std::make_pair(2018, 1000));
  EXPECT_EQ(PointAt(s, 359), std::make_pair(1980, 1000));  // pi would give 1983
  EXPECT_EQ(PointAt(s, 271), std::make_pair(1000, 1984));
  EXPECT_EQ(PointAt(s, 300), std::make_pair(1133, 1502));
}

TEST(Polar, DirectionsOutsideTheDialGiveTheCorner) {
  const ClockState s = Dial(100, 80);
  EXPECT_EQ(PointAt(s, -370), std::make_pair(0, 0));
  ClockState t = s;
  t.handAngle = 354;
  EXPECT_EQ(PolarX(t, 366, 100), 0);
  EXPECT_EQ(PolarY(t, 366, 100), 0);
}

TEST(Polar, ScaledRadiusPercentsZeroAndNegative) {
  const ClockState s = Dial(100, 80);
  EXPECT_EQ(ScaledRadius(Dial(0, 81), 50), 40);
  EXPECT_EQ(ScaledRadius(Dial(0, 83), 50), 42);
  EXPECT_EQ(PointAt(s, 45, 0), std::make_pair(100, 100));
  EXPECT_EQ(PointAt(s, 0, -50), std::make_pair(100, 140));  // mirrored through the centre
}

TEST(Polar, OverflowPaths) {
  EXPECT_EQ(ErrorOf([] { ScaledRadius(Dial(0, 100000), 30000); }), 6);  // 32-bit product
  EXPECT_EQ(ErrorOf([] { ScaledRadius(Dial(0, 4000000), 100); }), 6);   // 16-bit radius
  EXPECT_EQ(ErrorOf([] { PointAt(Dial(32767, 10), 90); }), 6);          // exact row sum
  EXPECT_EQ(ErrorOf([] { PointAt(Dial(40000, 10), 0); }), 6);           // x narrowed
  EXPECT_EQ(ErrorOf([] { PointAt(Dial(32760, 30000), 45); }), 6);       // rounded x
  ClockState low = Dial(0, 1000);
  low.centerY = 2147483000;
  EXPECT_EQ(ErrorOf([&] { PolarY(low, 180, 100); }), 6);  // 32-bit y sum
  EXPECT_EQ(PolarY(low, 90, 100), 2147483000);            // y itself is 32-bit
}

TEST(LineToPolar, PenUpOnlyMovesAndPenDownDraws) {
  ClockState s = Dial(100, 80);
  FaceCanvas surface(200, 200);
  LineToPolar(s, surface, 0, 0);
  EXPECT_TRUE(surface.segments().empty());
  EXPECT_EQ(s.penX, 100);
  EXPECT_EQ(s.penY, 100);
  LineToPolar(s, surface, 90, 50);
  ASSERT_EQ(surface.segments().size(), 1u);
  EXPECT_EQ(surface.segments()[0], (DrawnSegment{100, 100, 140, 100, 0, 1}));
}

TEST(LineToPolar, TheCornerPointLiftsThePen) {
  ClockState s = Dial(100, 80);
  FaceCanvas surface(200, 200);
  LineToPolar(s, surface, 0, 0);
  LineToPolar(s, surface, -370, 100);  // lands on (0, 0): a line to the corner
  LineToPolar(s, surface, 0, 50);      // pen was up: only moves
  LineToPolar(s, surface, 90, 50);
  ASSERT_EQ(surface.segments().size(), 2u);
  EXPECT_EQ(surface.segments()[0], (DrawnSegment{100, 100, 0, 0, 0, 1}));
  EXPECT_EQ(surface.segments()[1], (DrawnSegment{100, 60, 140, 100, 0, 1}));
}

TEST(LineToPolar, AYBeyond16BitsFailsAfterTheLineIsDrawn) {
  ClockState s = Dial(0, 0);
  s.centerY = 40000;
  s.centerX = 10;
  s.penX = 1;
  s.penY = 1;
  FaceCanvas surface(20, 20);
  EXPECT_EQ(ErrorOf([&] { LineToPolar(s, surface, 90, 100); }), 6);
  EXPECT_EQ(surface.segments().size(), 1u);
  EXPECT_EQ(s.penX, 10);  // moved before penY failed
  EXPECT_EQ(s.penY, 1);
}

}  // namespace
}  // namespace quarvel
