#pragma once
// The clock's source of time. Every use reads it afresh; tests inject a clock that is fixed,
// stepped, or scripted reading by reading.
#include <functional>
#include <memory>
#include <string>

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
  // From now on the time of the IANA zone `name` (Asia/Tokyo); empty: the system's own. False,
  // and the clock as it was, for a zone the system doesn't know; a clock without zones knows
  // only the empty name.
  virtual bool UseTimeZone(const std::string& name) { return name.empty(); }
};

// A clock stopped at one time: every reading gives it (the preview, the benchmarks).
class StoppedClock final : public Clock {
 public:
  explicit StoppedClock(TimeOfDay time) : time_(time) {}
  TimeOfDay Now() override { return time_; }

 private:
  TimeOfDay time_;
};

struct UtcInstant;
class TimeZone;

// The local time of day of the machine, or of the zone it was told to use. On Windows it is the
// system's own local time, not the C runtime's, which follows a TZ variable that Windows itself
// ignores. Tests give it the instant it reads in a zone.
class SystemClock final : public Clock {
 public:
  SystemClock();
  explicit SystemClock(std::function<UtcInstant()> utcNow);
  ~SystemClock() override;
  TimeOfDay Now() override;
  bool UseTimeZone(const std::string& name) override;

 private:
  std::function<UtcInstant()> utcNow_;
  std::unique_ptr<TimeZone> zone_;  // none: the system's own zone
};

}  // namespace quarvel
