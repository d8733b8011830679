// Exact dial geometry (quadrant rows, the 3.14 constant, ties to even, overflow), the redraw
// and the second tick, on a clock read afresh for each value.
#include "core/clockface/face_redraw.h"

#include <gtest/gtest.h>

#include <tuple>
#include <utility>

#include "backends/headless/headless_clock.h"
#include "core/clockface/dial_geometry.h"
#include "core/clockface/face_canvas.h"
#include "test_support.h"

namespace quarvel {
namespace {

using testing::ErrorOf;
using testing::ScriptedClock;

ClockState Dial(int32_t center, int32_t radius) {
  ClockState s;
  s.centerX = s.centerY = center;
  s.radius = radius;
  return s;
}

std::pair<int, int> PointAt(const ClockState& s, int direction, int16_t percent = 100) {
  return {PolarX(s, static_cast<int16_t>(direction), percent),
          PolarY(s, static_cast<int16_t>(direction), percent)};
}

TEST(SetHand, PositionsBecomeDirectionsAndPercentsRescaleTheRadiusForGood) {
  ClockState s = Dial(100, 81);
  for (auto [position, angle] : {std::pair{0, 0}, {15, 90}, {30, 180}, {59, 354}, {60, 354}}) {
    SetHand(s, static_cast<int16_t>(position), 100);
    EXPECT_EQ(std::make_tuple(s.handPosition, s.handAngle), std::make_tuple(position, angle));
  }
  SetHand(s, -1, 50);  // off the dial: the direction stays
  EXPECT_EQ(std::make_tuple(s.handAngle, s.radius), std::make_tuple(354, 40));  // 40.5 to even
  SetHand(s, 0, 100);
  EXPECT_EQ(s.radius, 40);
  ClockState huge = Dial(100, 2000000000);
  EXPECT_EQ(ErrorOf([&] { SetHand(huge, 7, 200); }), 6);
  EXPECT_EQ(huge.handPosition, 7);  // stored before the overflow
}

TEST(PointDirection, OneCorrectionEachWayOnly) {
  ClockState s;
  s.handAngle = 354;
  // Exactly once round (360, -360) is straight up.
  for (auto [angle, offset, direction] : {std::tuple{354, 10, 4},
                                          {354, 366, 360},
                                          {0, -10, 350},
                                          {0, -370, -10},
                                          {354, 6, 0},
                                          {0, 360, 0},
                                          {0, -360, 0},
                                          {354, 5, 359},
                                          {354, 365, 359}}) {
    s.handAngle = angle;
    EXPECT_EQ(PointDirection(s, static_cast<int16_t>(offset)), direction) << angle << offset;
  }
  s.handAngle = 32767;
  EXPECT_EQ(ErrorOf([&] { PointDirection(s, 1); }), 6);  // the sum no longer fits 16 bits
}

TEST(Polar, PointsMatchTheQuadrantRows) {
  struct Case {
    int center, radius, direction, percent, x, y;
  };
  // The rows at radius 80; percent 0, and negative (mirrored through the centre); 50 % of radii
  // 81 and 83 (40.5 and 41.5 to even); a direction off the dial gives the corner; and at radius
  // 1000 the constant 3.14 shows (pi would give 1983 for 359 degrees).
  const Case cases[] = {{100, 80, 30, 100, 140, 31},        {100, 80, 60, 100, 169, 60},
                        {100, 80, 200, 100, 73, 175},       {100, 80, 300, 100, 31, 60},
                        {100, 80, 0, 100, 100, 20},         {100, 80, 90, 100, 180, 100},
                        {100, 80, 180, 100, 100, 180},      {100, 80, 270, 100, 20, 100},
                        {100, 80, 45, 0, 100, 100},         {100, 80, 0, -50, 100, 140},
                        {100, 81, 90, 50, 140, 100},        {100, 83, 90, 50, 142, 100},
                        {100, 80, -370, 100, 0, 0},         {2000, 1000, 1, 100, 2018, 1000},
                        {2000, 1000, 359, 100, 1980, 1000}, {2000, 1000, 271, 100, 1000, 1984},
                        {2000, 1000, 300, 100, 1133, 1502}};
  for (const Case& c : cases)
    EXPECT_EQ(PointAt(Dial(c.center, c.radius), c.direction, static_cast<int16_t>(c.percent)),
              std::make_pair(c.x, c.y))
        << c.center << " " << c.radius << " " << c.direction << " " << c.percent;
  ClockState turned = Dial(100, 80);
  turned.handAngle = 354;
  EXPECT_EQ(PointAt(turned, 366), std::make_pair(0, 0));
  EXPECT_EQ(PointAt(turned, 6), std::make_pair(100, 20));  // 360: the top, not the corner
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

TEST(LineToPolar, PenDownDrawsAndOnlyAPointAtTheCornerLiftsThePen) {
  ClockState s = Dial(100, 80);
  FaceCanvas surface(200, 200);
  LineToPolar(s, surface, 0, 0);       // the pen starts up: only moves
  LineToPolar(s, surface, -370, 100);  // lands on (0, 0): a line to the corner
  LineToPolar(s, surface, 0, 50);      // pen was up: only moves
  LineToPolar(s, surface, 90, 50);
  LineToPolar(s, surface, 270, 125);  // lands on (0, 100): the pen stays down
  LineToPolar(s, surface, 0, 0);
  EXPECT_EQ(surface.segments(), (std::vector<DrawnSegment>{{100, 100, 0, 0, 0, 1},
                                                           {100, 60, 140, 100, 0, 1},
                                                           {140, 100, 0, 100, 0, 1},
                                                           {0, 100, 100, 100, 0, 1}}));
}

TEST(LineToPolar, AYBeyond16BitsFailsAfterTheLineIsDrawn) {
  ClockState s = Dial(0, 0);
  s.centerY = 40000;
  s.centerX = 10;
  s.penX = s.penY = 1;
  FaceCanvas surface(20, 20);
  EXPECT_EQ(ErrorOf([&] { LineToPolar(s, surface, 90, 100); }), 6);
  EXPECT_EQ(std::make_tuple(surface.segments().size(), s.penX, s.penY),
            std::make_tuple(1u, 10, 1));  // x moved before y failed
}

TEST(HourPosition, TheStillFaceDividesTheMinutesBy70AndTheLapFramesBy60) {
  // 6.5 and 10.5 go to the even 6 and 10, 7.5 to 8; a frame draws 60 as 0.
  const int face = kFaceHourDivisor, lap = kLapHourDivisor;
  const std::tuple<int, int, int, int> cases[] = {
      {0, 0, face, 0},    {1, 21, face, 6}, {1, 35, face, 8},  {2, 7, face, 10},
      {11, 59, face, 59}, {12, 0, face, 0}, {13, 30, face, 7}, {10, 45, face, 53},
      {10, 45, lap, 54},  {13, 30, lap, 8}, {11, 54, lap, 60}};
  for (auto [h, m, divisor, position] : cases) {
    HeadlessClock clock({h, m, 0});
    EXPECT_EQ(HourPosition(clock, divisor), position) << h << ":" << m << " / " << divisor;
  }
}

TEST(HourPosition, TheAfternoonTestIsItsOwnReading) {
  // The afternoon test sees 11 o'clock, the hours reading already 12: no 60 is taken off.
  ScriptedClock clock({{11, 59, 59}, {12, 0, 0}, {12, 0, 0}});
  EXPECT_EQ(HourPosition(clock, kFaceHourDivisor), 60);
  EXPECT_EQ(clock.taken(), 3);
}

// Hour, minute and second hands: sticks of 50, 80 and 90 % in colours 1, 2 and 3.
ClockState Sticks() {
  ClockState s;
  s.hourColor = 1, s.minuteColor = 2, s.secondColor = 3;
  s.hourShape.points[1] = {0, 50};
  s.minuteShape.points[1] = {0, 80};
  s.secondShape.points[1] = {0, 90};
  s.hourShape.pointCount = s.minuteShape.pointCount = s.secondShape.pointCount = 2;
  return s;
}

TEST(RedrawFace, DialComesFromTheDrawingArea) {
  const std::tuple<int, int, int, int, int> cases[] = {{201, 201, 100, 100, 80},
                                                       {203, 203, 102, 102, 82},
                                                       {300, 200, 150, 100, 80},
                                                       {41, 41, 20, 20, 0},
                                                       {38, 38, 19, 19, -1}};
  for (auto [w, h, x, y, radius] : cases) {
    ClockState s = Sticks();
    FaceCanvas surface(w, h);
    HeadlessClock clock({3, 0, 0});
    RedrawFace(s, surface, clock);
    EXPECT_EQ(std::make_tuple(s.centerX, s.centerY, s.radius), std::make_tuple(x, y, radius))
        << w << "x" << h;
  }
}

TEST(RedrawFace, DrawsHourMinuteSecondInTheirColoursWithFreshReadings) {
  // Readings: afternoon test, hours, minutes (hour hand), minutes (minute hand), seconds. At
  // 3:54 the hour hand stands at 19, where a divisor of 60 would give 20.
  ScriptedClock clock({{3, 0, 0}, {3, 0, 0}, {3, 54, 0}, {3, 15, 0}, {3, 15, 30}});
  ClockState s = Sticks();
  FaceCanvas surface(200, 200);
  surface.SetDrawWidth(2);
  RedrawFace(s, surface, clock);
  EXPECT_EQ(clock.taken(), 5);
  EXPECT_EQ(surface.segments(),
            (std::vector<DrawnSegment>{{100, 100, 137, 116, 1, 2},     // hour at 19
                                       {100, 100, 164, 100, 2, 2},     // minute at 15
                                       {100, 100, 100, 172, 3, 2}}));  // second at 30
}

TEST(RedrawFace, AShapePointBeyond16BitsIsAnOverflow) {
  ClockState s = Sticks();
  s.secondShape.points[1].radiusPercent = 40000;
  FaceCanvas surface(200, 200);
  HeadlessClock clock({0, 0, 0});
  EXPECT_EQ(ErrorOf([&] { RedrawFace(s, surface, clock); }), 6);
}

TEST(SecondTick, RedrawsOnlyWhenTheSecondChangesAndStoresTheSecondReadAfterTheRedraw) {
  ClockState s = Sticks();
  FaceCanvas surface(200, 200);
  HeadlessClock clock({0, 0, 0});
  EXPECT_FALSE(SecondTick(s, surface, clock));  // second 00 at start: bare background
  EXPECT_EQ(std::make_tuple(clock.readings(), surface.segments().size()), std::make_tuple(1, 0ul));
  clock.Set({0, 0, 7});
  EXPECT_TRUE(SecondTick(s, surface, clock));
  EXPECT_EQ(std::make_tuple(s.lastSecond, surface.segments().size()), std::make_tuple(7, 3ul));
  const int before = clock.readings();
  EXPECT_FALSE(SecondTick(s, surface, clock));
  EXPECT_EQ(clock.readings(), before + 1);  // one reading, nothing more
  // A redraw that ends in the next second stores that later second, while the face shows the
  // second before until the next change.
  ScriptedClock late({{0, 0, 4}, {0, 0, 4}, {0, 0, 4}, {0, 0, 4}, {0, 0, 4}, {0, 0, 4}, {0, 0, 5}});
  EXPECT_TRUE(SecondTick(s, surface, late));
  EXPECT_EQ(std::make_tuple(s.lastSecond, s.handPosition), std::make_tuple(5, 4));
}

}  // namespace
}  // namespace quarvel
