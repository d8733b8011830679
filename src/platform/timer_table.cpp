#include "platform/timer_table.h"

namespace quarvel {

void TimerTable::Start(TimerId timer, int64_t now, int milliseconds) {
  const int64_t interval =
      int64_t{milliseconds < kMinimumMs ? kMinimumMs : milliseconds} * unitsPerMs_;
  At(timer) = Timer{true, interval, now + interval};
}

int64_t TimerTable::EarliestDue() const {
  int64_t earliest = kNever;
  for (const Timer& t : timers_)
    if (t.running && t.due < earliest) earliest = t.due;
  return earliest;
}

std::optional<TimerId> TimerTable::TakeDue(int64_t now) {
  Timer* next = nullptr;
  std::size_t nextIndex = 0;
  for (std::size_t i = 0; i < timers_.size(); ++i)
    if (timers_[i].running && timers_[i].due <= now &&
        (next == nullptr || timers_[i].due < next->due)) {
      next = &timers_[i];
      nextIndex = i;
    }
  if (next == nullptr) return std::nullopt;
  next->due += next->interval;
  if (next->due <= now) next->due = now + next->interval;
  return static_cast<TimerId>(nextIndex + 1);
}

}  // namespace quarvel
