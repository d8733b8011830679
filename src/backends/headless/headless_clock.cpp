#include "backends/headless/headless_clock.h"

namespace quarvel {

TimeOfDay HeadlessClock::Now() {
  ++readings_;
  const auto ms = static_cast<int>(dayMs_ % 1000);
  const auto s = static_cast<int>(dayMs_ / 1000);
  return TimeOfDay{s / 3600, s / 60 % 60, s % 60, ms};
}

void HeadlessClock::Set(TimeOfDay time) {
  dayMs_ = ((time.hours * 60LL + time.minutes) * 60 + time.seconds) * 1000 + time.milliseconds;
}

void HeadlessClock::Advance(int64_t milliseconds) {
  elapsedMs_ += milliseconds;
  Shift(milliseconds);
}

void HeadlessClock::Shift(int64_t milliseconds) {
  dayMs_ = ((dayMs_ + milliseconds) % kDayMs + kDayMs) % kDayMs;
}

}  // namespace quarvel
