// Timer1 wakes just after each change of the clock's second.
#include <gtest/gtest.h>

#include <utility>

#include "clock_fixture.h"

namespace quarvel {
namespace {

class SecondTimerTest : public testing::ClockFixture {
 protected:
  // Lets Timer1 fall due and returns the second and millisecond it ticked at.
  std::pair<int, int> NextTick() {
    const int64_t wait = window.TimerDue(Form1::kSecondTick) - clock.elapsedMs();
    EXPECT_GE(wait, 0);
    clock.Advance(wait);
    const TimeOfDay at = clock.Now();
    window.Tick(Form1::kSecondTick);
    return {at.seconds, at.milliseconds};
  }
  static constexpr int kMargin = Form1::kTickMarginMs;
};

TEST_F(SecondTimerTest, AStillFaceWakesOnceASecondJustAfterTheSecondChanges) {
  clock.Set({10, 8, 30, 400});
  StartAt300x100();
  const int presents = window.presents();
  for (int i = 1; i <= 5; ++i) EXPECT_EQ(NextTick(), std::make_pair(30 + i, kMargin));
  EXPECT_EQ(window.presents(), presents + 5);
  // Ten seconds on: ten wake-ups, each one a redraw, and the one-second timer left running.
  const int starts = window.timerStarts();
  EXPECT_EQ(window.RunFor(10000), 10);
  EXPECT_EQ(form->state().lastSecond, 45);
  EXPECT_EQ(window.timerStarts(), starts);
  EXPECT_EQ(window.TimerInterval(Form1::kSecondTick), 1000);
}

TEST_F(SecondTimerTest, AnEarlyTickWaitsForTheChangeAndALateOneRedrawsAtOnce) {
  clock.Set({10, 8, 30, 0});
  StartAt300x100();
  NextTick();
  clock.Shift(-7);  // the timer runs 7 ms ahead of the time of day
  EXPECT_EQ(NextTick(), std::make_pair(31, 995));
  EXPECT_EQ(form->state().lastSecond, 31);  // not yet: no redraw
  // 7 ms to the change: the timer's shortest interval, 10 ms, as Windows gives it.
  EXPECT_EQ(NextTick(), std::make_pair(32, 5));
  EXPECT_EQ(form->state().lastSecond, 32);
  clock.Shift(300);  // a busy machine: this tick comes 300 ms late and still redraws
  EXPECT_EQ(NextTick().first, 33);
  EXPECT_EQ(form->state().lastSecond, 33);
  EXPECT_EQ(NextTick(), std::make_pair(34, kMargin));  // and the next is on time again
}

TEST_F(SecondTimerTest, AJumpOfTheClockIsDrawnAtOnce) {
  clock.Set({10, 8, 30, 500});
  StartAt300x100();
  // Set back by three minutes: drawn at once, and the ticks follow the new seconds.
  clock.Set({10, 5, 30, 600});
  window.ClockChanged();
  EXPECT_EQ(form->state().lastSecond, 30);
  EXPECT_EQ(NextTick(), std::make_pair(31, kMargin));
  // A new time zone moves only the hours; the seconds match, and it is drawn all the same.
  const int presents = window.presents();
  clock.Set({11, 5, 31, 700});
  window.ClockChanged();
  EXPECT_EQ(window.presents(), presents + 1);
}

TEST_F(SecondTimerTest, AfterALapTimer1TicksWithin10MsAndDrawsTheSecondThatChanged) {
  clock.Set({10, 8, 30, 0});
  StartAt300x100();
  window.KeyDown('Z');
  EXPECT_FALSE(window.TimerRunning(Form1::kSecondTick));
  EXPECT_EQ(window.TimerInterval(Form1::kMinuteLap), 50);
  EXPECT_EQ(window.RunFor(3000), 60);  // 60 frames, 50 ms apart
  EXPECT_FALSE(window.TimerRunning(Form1::kMinuteLap));
  EXPECT_EQ(window.TimerDue(Form1::kSecondTick) - clock.elapsedMs(), 10);
  NextTick();
  EXPECT_EQ(form->state().lastSecond, 33);  // the seconds went on during the lap
}

}  // namespace
}  // namespace quarvel
