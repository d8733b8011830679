#pragma once
// The headless backend's time: a time of day that tests set and move on, and a count of
// milliseconds on which the headless window's timers fall due. Moving on advances both; setting
// the time of day (a jump) leaves the timers' count alone, as a real change of the clock does.
#include <cstdint>

#include "platform/clock.h"

namespace quarvel {

class HeadlessClock final : public Clock {
 public:
  explicit HeadlessClock(TimeOfDay start = {}) { Set(start); }

  TimeOfDay Now() override;
  void Set(TimeOfDay time);
  void Advance(int64_t milliseconds);
  // Moves the time of day alone, as a clock that runs fast or slow does against the timers.
  void Shift(int64_t milliseconds);

  int64_t elapsedMs() const { return elapsedMs_; }
  int readings() const { return readings_; }

 private:
  static constexpr int64_t kDayMs = 24 * 3600 * 1000;
  int64_t dayMs_ = 0;      // the time of day, in milliseconds since midnight
  int day_ = 1;            // of the month
  int64_t elapsedMs_ = 0;  // what the timers count
  int readings_ = 0;
};

}  // namespace quarvel
