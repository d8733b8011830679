// The face redraw and the second tick, on a clock read afresh for each value.
#include "clockface/face_redraw.h"

#include <gtest/gtest.h>

#include <tuple>

#include "platform/headless/headless_clock.h"
#include "test_support.h"

namespace quarvel {
namespace {

using testing::ScriptedClock;

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
  for (int h = 0; h < 24; ++h)
    for (int m = 0; m < 60; ++m) {
      HeadlessClock clock({h, m, 0});
      const int p = HourPosition(clock, kFaceHourDivisor);
      EXPECT_TRUE(p >= 0 && p <= 59) << h << ":" << m;
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
  EXPECT_EQ(testing::ErrorOf([&] { RedrawFace(s, surface, clock); }), 6);
}

TEST(SecondTick, RedrawsOnlyWhenTheSecondChangesAndStoresTheSecondReadAfterTheRedraw) {
  ClockState s = Sticks();
  FaceCanvas surface(200, 200);
  HeadlessClock clock({0, 0, 0});
  EXPECT_FALSE(SecondTick(s, surface, clock));  // second 00 at start: bare background
  EXPECT_EQ(clock.readings(), 1);
  EXPECT_TRUE(surface.segments().empty());
  clock.Set({0, 0, 7});
  EXPECT_TRUE(SecondTick(s, surface, clock));
  EXPECT_EQ(s.lastSecond, 7);
  EXPECT_EQ(surface.segments().size(), 3u);
  const int before = clock.readings();
  EXPECT_FALSE(SecondTick(s, surface, clock));
  EXPECT_EQ(clock.readings(), before + 1);  // one reading, nothing more
  // A redraw that ends in the next second stores that later second, while the face shows the
  // second before until the next change.
  ScriptedClock late({{0, 0, 4}, {0, 0, 4}, {0, 0, 4}, {0, 0, 4}, {0, 0, 4}, {0, 0, 4}, {0, 0, 5}});
  EXPECT_TRUE(SecondTick(s, surface, late));
  EXPECT_EQ(s.lastSecond, 5);
  EXPECT_EQ(s.handPosition, 4);
}

}  // namespace
}  // namespace quarvel
