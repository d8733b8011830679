#include "backends/headless/headless_clock.h"

namespace quarvel {

TimeOfDay HeadlessClock::Now() {
  ++readings_;
  const auto ms = static_cast<int>(dayMs_ % 1000);
  const auto s = static_cast<int>(dayMs_ / 1000);
  return TimeOfDay{s / 3600, s / 60 % 60, s % 60, ms, day_};
}

void HeadlessClock::Set(TimeOfDay time) {
  dayMs_ = ((time.hours * 60LL + time.minutes) * 60 + time.seconds) * 1000 + time.milliseconds;
  day_ = time.dayOfMonth;
}

void HeadlessClock::Advance(int64_t milliseconds) {
  elapsedMs_ += milliseconds;
  Shift(milliseconds);
}

void HeadlessClock::Shift(int64_t milliseconds) {
  // Across midnight the day moves on, in months of 31 days.
  const int64_t at = dayMs_ + milliseconds;
  const int64_t days = (at >= 0 ? at : at - kDayMs + 1) / kDayMs;
  day_ = static_cast<int>(((day_ - 1 + days) % 31 + 31) % 31) + 1;
  dayMs_ = (at % kDayMs + kDayMs) % kDayMs;
}

}  // namespace quarvel
