// The loops' timer table (late ticks merged, as SetTimer's are), and Timer1, which wakes just
// after each change of the clock's second.
#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "clock_fixture.h"
#include "platform/timer_table.h"

namespace quarvel {
namespace {

TEST(TimerTableTest, DueOrderLowerNumberOnATieAndLateTicksMerged) {
  TimerTable timers;
  EXPECT_EQ(timers.EarliestDue(), TimerTable::kNever);
  timers.Start(TimerId::kTimer2, 0, 50);
  timers.Start(TimerId::kTimer1, 0, 1000);
  timers.Start(TimerId::kTimer3, 0, 50);
  EXPECT_EQ(timers.TakeDue(49), std::nullopt);
  EXPECT_EQ(timers.TakeDue(50), TimerId::kTimer2);  // tie with Timer3: the lower number first
  EXPECT_EQ(timers.TakeDue(50), TimerId::kTimer3);
  EXPECT_EQ(timers.Due(TimerId::kTimer2), 100);  // on its cadence, not from when it was taken
  // 235: Timer2 missed 100, 150 and 200: one tick, then the next a full interval on.
  for (auto due : {std::optional{TimerId::kTimer2}, {TimerId::kTimer3}, {}})
    EXPECT_EQ(timers.TakeDue(235), due);
  EXPECT_EQ(timers.Due(TimerId::kTimer2), 285);
  timers.Stop(TimerId::kTimer2);
  timers.Stop(TimerId::kTimer3);
  EXPECT_EQ(timers.EarliestDue(), 1000);
  EXPECT_EQ(timers.TakeDue(5000), TimerId::kTimer1);
  EXPECT_EQ(timers.TakeDue(5000), std::nullopt);

  // Below 10 ms a timer runs at 10, as SetTimer's do; in the loop's own unit.
  TimerTable inNs(1000000);
  inNs.Start(TimerId::kTimer1, 0, 3);
  inNs.Start(TimerId::kTimer2, 0, 0);
  inNs.Start(TimerId::kTimer3, 0, 40);
  EXPECT_EQ(std::make_tuple(inNs.Due(TimerId::kTimer1), inNs.Due(TimerId::kTimer2),
                            inNs.Interval(TimerId::kTimer3)),
            std::make_tuple(10000000, 10000000, 40000000));
}

// The headless window's table: a handler that takes 120 ms gets one late tick, not two.
class SlowHandler : public WindowEvents {
 public:
  explicit SlowHandler(HeadlessClock& clock) : clock_(clock) {}
  void OnTimer(TimerId timer) override {
    ticks.push_back(clock_.elapsedMs());
    if (timer == TimerId::kTimer2 && ticks.size() == 1) clock_.Advance(120);
  }
  void OnMouseDown(int16_t, int16_t) override {}
  void OnMouseMove(int16_t, int16_t) override {}
  bool OnKeyDown(int16_t, int16_t) override { return false; }
  void OnUnload() override {}
  void OnClockChanged() override {}
  void OnScreenChanged() override {}
  void OnScreenScaleChanged() override {}
  void OnPlacedBySystem(int32_t, int32_t) override {}
  std::vector<int64_t> ticks;

 private:
  HeadlessClock& clock_;
};

TEST(TimerTableTest, TheHeadlessWindowMergesTheTicksASlowHandlerMissed) {
  HeadlessClock clock;
  HeadlessWindow window(&clock);
  SlowHandler handler(clock);
  window.SetEventSink(&handler);
  window.StartTimer(TimerId::kTimer2, 50);
  EXPECT_EQ(window.RunFor(300), 4);
  // 50 (held up to 170), 170 for the missed 100 and 150, then 220, 270.
  EXPECT_EQ(handler.ticks, (std::vector<int64_t>{50, 170, 220, 270}));
}

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
  EXPECT_EQ(std::make_tuple(window.TimerRunning(Form1::kSecondTick),
                            window.TimerInterval(Form1::kMinuteLap)),
            std::make_tuple(false, 50));
  EXPECT_EQ(window.RunFor(3000), 60);  // 60 frames, 50 ms apart
  EXPECT_FALSE(window.TimerRunning(Form1::kMinuteLap));
  EXPECT_EQ(window.TimerDue(Form1::kSecondTick) - clock.elapsedMs(), 10);
  NextTick();
  EXPECT_EQ(form->state().lastSecond, 33);  // the seconds went on during the lap
}

}  // namespace
}  // namespace quarvel
