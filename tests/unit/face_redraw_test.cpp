// The face redraw and the second tick: hour positions, the dial from the window's size, the
// order of the clock readings, and the cheap path of a tick without a change of second.
#include "clockface/face_redraw.h"

#include <gtest/gtest.h>

#include "clockface/face_canvas.h"
#include "platform/headless/headless_clock.h"
#include "test_support.h"

namespace quarvel {
namespace {

using testing::ScriptedClock;

int Hour(int h, int m, int divisor = kFaceHourDivisor) {
  HeadlessClock clock({h, m, 0});
  return HourPosition(clock, divisor);
}

TEST(HourPosition, StillFaceDividesTheMinutesBy70) {
  EXPECT_EQ(Hour(0, 0), 0);
  EXPECT_EQ(Hour(1, 21), 6);  // 6.5 to the even 6
  EXPECT_EQ(Hour(1, 35), 8);  // 7.5 to the even 8
  EXPECT_EQ(Hour(2, 7), 10);  // 10.5 to the even 10
  EXPECT_EQ(Hour(11, 59), 59);
  EXPECT_EQ(Hour(12, 0), 0);
  EXPECT_EQ(Hour(13, 30), 7);
  EXPECT_EQ(Hour(23, 59), 59);
  EXPECT_EQ(Hour(10, 45), 53);
  for (int h = 0; h < 24; ++h)
    for (int m = 0; m < 60; ++m) {
      const int p = Hour(h, m);
      EXPECT_TRUE(p >= 0 && p <= 59) << h << ":" << m;
    }
}

TEST(HourPosition, SpinFramesDivideBy60) {
  EXPECT_EQ(Hour(10, 45, kSpinHourDivisor), 54);
  EXPECT_EQ(Hour(13, 30, kSpinHourDivisor), 8);
  EXPECT_EQ(Hour(1, 18, kSpinHourDivisor), 6);
  EXPECT_EQ(Hour(11, 54, kSpinHourDivisor), 60);  // the frame draws 60 as 0
}

TEST(HourPosition, TheAfternoonTestIsItsOwnReading) {
  // The afternoon test sees 11 o'clock, the hours reading already 12: no 60 is taken off.
  ScriptedClock clock({{11, 59, 59}, {12, 0, 0}, {12, 0, 0}});
  EXPECT_EQ(HourPosition(clock, kFaceHourDivisor), 60);
  EXPECT_EQ(clock.taken(), 3);
}

HandShape Stick(int percent) {
  HandShape shape;
  shape.points[0] = {0, 0};
  shape.points[1] = {0, percent};
  shape.pointCount = 2;
  return shape;
}

ClockState Sticks() {
  ClockState s;
  s.hourColor = 1;
  s.minuteColor = 2;
  s.secondColor = 3;
  s.hourShape = Stick(50);
  s.minuteShape = Stick(80);
  s.secondShape = Stick(90);
  return s;
}

TEST(RedrawFace, DialComesFromTheDrawingArea) {
  const std::pair<std::pair<int, int>, std::tuple<int, int, int>> cases[] = {
      {{201, 201}, {100, 100, 80}},
      {{203, 203}, {102, 102, 82}},
      {{300, 200}, {150, 100, 80}},
      {{41, 41}, {20, 20, 0}},
      {{38, 38}, {19, 19, -1}}};
  for (auto [size, dial] : cases) {
    ClockState s = Sticks();
    FaceCanvas surface(size.first, size.second);
    HeadlessClock clock({3, 0, 0});
    RedrawFace(s, surface, clock);
    EXPECT_EQ(std::make_tuple(s.centerX, s.centerY, s.radius), dial)
        << size.first << "x" << size.second;
  }
}

TEST(RedrawFace, DrawsHourMinuteSecondInTheirColoursWithFreshReadings) {
  // Readings: afternoon test, hours, minutes (hour hand), minutes (minute hand), seconds.
  ScriptedClock clock({{3, 0, 0}, {3, 0, 0}, {3, 0, 0}, {3, 15, 0}, {3, 15, 30}});
  ClockState s = Sticks();
  FaceCanvas surface(200, 200);
  surface.SetDrawWidth(2);
  RedrawFace(s, surface, clock);
  EXPECT_EQ(clock.taken(), 5);
  ASSERT_EQ(surface.segments().size(), 3u);
  EXPECT_EQ(surface.segments()[0], (DrawnSegment{100, 100, 140, 100, 1, 2}));  // hour at 15
  EXPECT_EQ(surface.segments()[1], (DrawnSegment{100, 100, 164, 100, 2, 2}));  // minute at 15
  EXPECT_EQ(surface.segments()[2], (DrawnSegment{100, 100, 100, 172, 3, 2}));  // second at 30
}

TEST(RedrawFace, AnEmptyShapeDrawsNothingButStillSetsItsHand) {
  ClockState s = Sticks();
  s.minuteShape = HandShape{};
  FaceCanvas surface(200, 200);
  HeadlessClock clock({0, 30, 0});
  RedrawFace(s, surface, clock);
  EXPECT_EQ(surface.segments().size(), 2u);
  EXPECT_EQ(s.handPosition, 0);
}

TEST(RedrawFace, AShapePointBeyond16BitsIsAnOverflow) {
  ClockState s = Sticks();
  s.secondShape.points[1].radiusPercent = 40000;
  FaceCanvas surface(200, 200);
  HeadlessClock clock({0, 0, 0});
  EXPECT_EQ(testing::ErrorOf([&] { RedrawFace(s, surface, clock); }), 6);
}

TEST(SecondTick, RedrawsOnlyWhenTheSecondChanges) {
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
}

TEST(SecondTick, StoresTheSecondReadAfterTheRedraw) {
  // A redraw that ends in the next second stores that later second.
  ScriptedClock clock(
      {{0, 0, 4}, {0, 0, 4}, {0, 0, 4}, {0, 0, 4}, {0, 0, 4}, {0, 0, 4}, {0, 0, 5}});
  ClockState s = Sticks();
  FaceCanvas surface(200, 200);
  EXPECT_TRUE(SecondTick(s, surface, clock));
  EXPECT_EQ(s.lastSecond, 5);
  EXPECT_EQ(s.handPosition, 4);  // while the face shows second 4 until the next change
}

}  // namespace
}  // namespace quarvel
