#pragma once
// The clock's source of time. Every use reads it afresh; tests inject a clock that is fixed,
// stepped, or scripted reading by reading.
namespace quarvel {

struct TimeOfDay {
  int hours = 0;         // 0..23
  int minutes = 0;       // 0..59
  int seconds = 0;       // 0..59
  int milliseconds = 0;  // 0..999: when the next second begins, for the timer, never drawn
  int dayOfMonth = 1;    // 1..31: the date the face may show
};

class Clock {
 public:
  virtual ~Clock() = default;
  virtual TimeOfDay Now() = 0;
};

// A clock stopped at one time: every reading gives it (the preview, the benchmarks).
class StoppedClock final : public Clock {
 public:
  explicit StoppedClock(TimeOfDay time) : time_(time) {}
  TimeOfDay Now() override { return time_; }

 private:
  TimeOfDay time_;
};

// The local time of day of the machine. On Windows it is the system's own local time, not the
// C runtime's, which follows a TZ variable that Windows itself ignores.
class SystemClock final : public Clock {
 public:
  TimeOfDay Now() override;
};

}  // namespace quarvel
