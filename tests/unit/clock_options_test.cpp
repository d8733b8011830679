// The clock as options.ini sets it up: without a seconds hand it draws none and wakes once a
// minute (each second only while parked, to come back); a locked clock is not dragged.
#include <gtest/gtest.h>

#include <algorithm>

#include "clock_fixture.h"

namespace quarvel {
namespace {

using Tick = std::tuple<int, int, int>;  // minute, second, millisecond a tick came at

class ClockOptionsTest : public testing::ClockFixture {
 protected:
  // The clock at (300, 100), 200 pixels, after its first redraw, with these options.
  Form1& StartWith(const std::string& options) {
    work.Write("options.ini", options);
    return StartAt300x100();
  }
  // Lets Timer1 fall due and tells when it ticked.
  Tick NextTick() {
    clock.Advance(window.TimerDue(Form1::kSecondTick) - clock.elapsedMs());
    const TimeOfDay at = clock.Now();
    window.Tick(Form1::kSecondTick);
    return {at.minutes, at.seconds, at.milliseconds};
  }
  int64_t WaitToNextTick() const { return window.TimerDue(Form1::kSecondTick) - clock.elapsedMs(); }
  // Whether the face the window shows has a pixel of the seconds hand's colour.
  bool ShowsSecondsHand() const {
    const Pixel blue = PixelFromColorRef(form->state().secondColor);
    const std::vector<Pixel>& pixels = window.presented().pixels;
    return std::find(pixels.begin(), pixels.end(), blue) != pixels.end();
  }
  static constexpr int kMargin = Form1::kTickMarginMs;
};

TEST_F(ClockOptionsTest, WithoutASecondsHandTheFaceHasNoneAndChangesOnceAMinute) {
  struct Case {
    const char* options;
    bool secondsHand;
    std::vector<Tick> ticks;  // the next three, from 10:08:30.400
  };
  const Case cases[] = {
      {"", true, {{8, 31, kMargin}, {8, 32, kMargin}, {8, 33, kMargin}}},
      {"seconds_hand=on\r\n", true, {{8, 31, kMargin}, {8, 32, kMargin}, {8, 33, kMargin}}},
      {"# no seconds\nseconds_hand=off\n",
       false,
       {{9, 0, kMargin}, {10, 0, kMargin}, {11, 0, kMargin}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.options);
    clock.Set({10, 8, 30, 400});
    StartWith(c.options);
    EXPECT_EQ(ShowsSecondsHand(), c.secondsHand);
    for (const Tick& expected : c.ticks) EXPECT_EQ(NextTick(), expected);
    EXPECT_EQ(ShowsSecondsHand(), c.secondsHand);
    // Once in step, the timer runs on as it is: one wake-up per change, no call to re-arm it.
    const int starts = window.timerStarts();
    const int presents = window.presents();
    EXPECT_EQ(window.RunFor(5 * 60000), c.secondsHand ? 5 * 60 : 5);
    EXPECT_EQ(window.timerStarts(), starts);
    EXPECT_EQ(window.presents() - presents, c.secondsHand ? 5 * 60 : 5);  // each one drawn
  }
}

TEST_F(ClockOptionsTest, WithoutASecondsHandXDoesNothingAndZLapsBackToTheMinuteRule) {
  clock.Set({10, 8, 30, 400});
  StartWith("seconds_hand=off\r\n");
  EXPECT_TRUE(window.KeyDown('X'));
  EXPECT_EQ(std::make_tuple(window.TimerRunning(Form1::kSecondLap),
                            window.TimerRunning(Form1::kSecondTick)),
            std::make_tuple(false, true));
  window.KeyDown('Z');
  EXPECT_EQ(window.RunFor(3000), 60);  // the minute hand's 60 frames, no seconds hand in any
  EXPECT_FALSE(ShowsSecondsHand());
  EXPECT_EQ(WaitToNextTick(), Form1::kFirstTickMs);
  NextTick();
  EXPECT_EQ(NextTick(), Tick(9, 0, kMargin));
}

// Parked by the minute's pointer test or by a move over it, the clock tests the pointer each
// second until it is home, where it sleeps till the next minute; where the pointer is known only
// over the clock, the next second brings it back unseen, as with a seconds hand.
TEST_F(ClockOptionsTest, AParkedClockWithoutASecondsHandTicksEachSecondUntilItIsHome) {
  clock.Set({10, 8, 59, 990});
  StartWith("seconds_hand=off\r\n");
  system.SetCursor(350, 150);
  EXPECT_EQ(NextTick(), Tick(9, 0, kMargin));
  EXPECT_TRUE(form->state().dodged);
  EXPECT_EQ(NextTick(), Tick(9, 1, kMargin));
  system.SetCursor(600, 150);
  EXPECT_EQ(NextTick(), Tick(9, 2, kMargin));
  EXPECT_EQ(std::make_pair(form->state().dodged, window.left()), std::make_pair(false, 300));
  EXPECT_EQ(NextTick(), Tick(10, 0, kMargin));

  system.SetPointerKnownEverywhere(false);
  clock.Advance(400);
  window.MouseMove();
  EXPECT_EQ(NextTick(), Tick(10, 1, kMargin));
  EXPECT_EQ(std::make_pair(form->state().dodged, window.left()), std::make_pair(false, 300));
  EXPECT_EQ(NextTick(), Tick(11, 0, kMargin));
}

TEST_F(ClockOptionsTest, ALockedClockIsNotDraggedButStillHidesAndTakesItsKeys) {
  for (const bool locked : {false, true}) {
    SCOPED_TRACE(locked);
    StartWith(locked ? "locked=on\r\n" : "locked=off\r\n");
    const int drags = window.drags();
    window.MouseDown(1);
    window.MouseDown(3);  // both buttons: the left one's drag, no hand-over
    EXPECT_EQ(window.drags() - drags, locked ? 0 : 2);
    window.MouseMove();
    EXPECT_TRUE(form->state().dodged);
    window.KeyDown('A');
    EXPECT_EQ(std::make_tuple(form->state().topmost, form->state().dodged),
              std::make_tuple(false, true));
  }
}

// The window's layer, opacity and workspaces as the options open it; A switches between the
// top-most layer and the options' own, and settings.ini's line keeps only what A switched.
struct OpenedWindow {
  const char* options;
  WindowLayer opened, afterA;
  int opacity;
  bool allWorkspaces;
};
class OptionsOpenTheWindow : public ClockOptionsTest,
                             public ::testing::WithParamInterface<OpenedWindow> {};

TEST_P(OptionsOpenTheWindow, InTheirLayerOpacityAndWorkspaces) {
  const OpenedWindow& c = GetParam();
  StartWith(c.options);
  EXPECT_EQ(std::make_tuple(window.layer(), window.opacity(), window.allWorkspaces()),
            std::make_tuple(c.opened, c.opacity, c.allWorkspaces));
  window.KeyDown('A');
  EXPECT_EQ(window.layer(), c.afterA);
  window.KeyDown('A');
  EXPECT_EQ(window.layer(), c.opened);
  window.KeyDown('C');
  EXPECT_EQ(work.Read("settings.ini").substr(9, 3), " 0 ");  // top-most, as found
}

INSTANTIATE_TEST_SUITE_P(
    Options, OptionsOpenTheWindow,
    ::testing::Values(OpenedWindow{"", WindowLayer::kTopmost, WindowLayer::kNormal, 100, false},
                      OpenedWindow{"layer=normal\nopacity=60\n", WindowLayer::kNormal,
                                   WindowLayer::kTopmost, 60, false},
                      OpenedWindow{"layer=below\nall_workspaces=on\n", WindowLayer::kBelow,
                                   WindowLayer::kTopmost, 100, true},
                      OpenedWindow{"layer=top-most\nopacity=20\n", WindowLayer::kTopmost,
                                   WindowLayer::kNormal, 20, false}));

// Once at each full hour the face reaches, minute-waking or not; never at start-up, nor without
// the option.
TEST_F(ClockOptionsTest, TheChimeSoundsOnceAtEachFullHour) {
  struct Case {
    const char* options;
    TimeOfDay start;
    int chimes;  // over the next 1 h 59 min
  };
  const Case cases[] = {
      {"hourly_chime=on\n", {10, 59, 58, 0}, 2},
      {"hourly_chime=on\nseconds_hand=off\n", {10, 59, 58, 0}, 2},
      {"hourly_chime=on\n", {11, 0, 0, 500}, 1},  // opened on the hour: that one is past
      {"", {10, 59, 58, 0}, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.options);
    clock.Set(c.start);
    StartWith(c.options);
    const int before = system.chimes();
    window.RunFor((2 * 3600 - 60) * 1000);
    EXPECT_EQ(system.chimes() - before, c.chimes);
  }
}

}  // namespace
}  // namespace quarvel
