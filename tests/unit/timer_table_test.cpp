// The timers of the headless and X11 loops: each counts on from its start, in due order, and a
// late timer ticks once, however many intervals it missed (as Windows' SetTimer does).
#include <gtest/gtest.h>

#include <vector>

#include "platform/headless/headless_clock.h"
#include "platform/headless/headless_window.h"
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
  EXPECT_EQ(timers.TakeDue(235), TimerId::kTimer2);
  EXPECT_EQ(timers.TakeDue(235), TimerId::kTimer3);
  EXPECT_EQ(timers.TakeDue(235), std::nullopt);
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
  EXPECT_EQ(inNs.Due(TimerId::kTimer1), 10000000);
  EXPECT_EQ(inNs.Due(TimerId::kTimer2), 10000000);
  EXPECT_EQ(inNs.Interval(TimerId::kTimer3), 40000000);
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

}  // namespace
}  // namespace quarvel
