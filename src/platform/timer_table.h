#pragma once
// The clock's periodic timers as an event loop keeps them: each runs from its start, one
// interval at a time, and a tick that falls due while an earlier one is still late is merged
// into it, as Windows' SetTimer does (WM_TIMER is a flag, not a queue). The headless and the X11
// loops share it, so the unit tests run the core on the timers the Linux program has.
#include <array>
#include <cstdint>
#include <optional>

#include "platform/platform_window.h"

namespace quarvel {

class TimerTable {
 public:
  static constexpr int64_t kNever = INT64_MAX;
  // A shorter interval runs at this one, as SetTimer's USER_TIMER_MINIMUM does.
  static constexpr int kMinimumMs = 10;

  // Times are in the one unit the loop counts in (milliseconds, nanoseconds), on a clock that
  // never goes back; `unitsPerMs` of them make a millisecond.
  explicit TimerTable(int64_t unitsPerMs = 1) : unitsPerMs_(unitsPerMs) {}

  void Start(TimerId timer, int64_t now, int milliseconds);
  void Stop(TimerId timer) { At(timer).running = false; }
  bool Running(TimerId timer) const { return At(timer).running; }
  int64_t Interval(TimerId timer) const { return At(timer).interval; }
  int64_t Due(TimerId timer) const { return At(timer).due; }
  // When the first running timer falls due, or kNever.
  int64_t EarliestDue() const;

  // The running timer due first at `now` (the lower number on a tie), set for its next tick:
  // one interval after this one, or one interval from now when that too has passed, so a late
  // timer ticks once. Nothing when none is due.
  std::optional<TimerId> TakeDue(int64_t now);
  // A tick delivered by hand at `now`: the next one an interval later.
  void CountFrom(TimerId timer, int64_t now) { At(timer).due = now + At(timer).interval; }

 private:
  struct Timer {
    bool running = false;
    int64_t interval = 0;
    int64_t due = 0;
  };
  static std::size_t Index(TimerId timer) { return static_cast<std::size_t>(timer) - 1; }
  Timer& At(TimerId timer) { return timers_[Index(timer)]; }
  const Timer& At(TimerId timer) const { return timers_[Index(timer)]; }

  int64_t unitsPerMs_;
  std::array<Timer, kTimerCount> timers_{};
};

}  // namespace quarvel
