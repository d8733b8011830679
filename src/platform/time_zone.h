#pragma once
// A time zone by its IANA name (Asia/Tokyo), as the system's own database knows it: the local
// time of day of any instant there, daylight saving included. Linux reads the system's tzdata
// through the C library; Windows maps the name to its own zone and asks its time-zone API.
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "platform/clock.h"

namespace quarvel {

// An instant as seconds and milliseconds since 1970-01-01 00:00:00 UTC.
struct UtcInstant {
  int64_t seconds = 0;
  int milliseconds = 0;
};

UtcInstant UtcNow();

// Whether `name` can be a zone name at all: parts such as "America/Argentina/Buenos_Aires" or
// "Etc/GMT+9", relative, no part climbing out (".."), nothing but letters, digits and "/_-+.".
// It says nothing of whether the system knows the zone.
bool LooksLikeTimeZoneName(const std::string& name);

class TimeZone {
 public:
  // The zone of that name, or nothing when the name can't be one or the system doesn't know it.
  static std::optional<TimeZone> Find(const std::string& name);

  // The time of day there at `instant`. On Linux the process's local time becomes this zone's
  // (the C library keeps one zone a process).
  TimeOfDay At(UtcInstant instant) const;

  const std::string& name() const { return name_; }

  struct Rules;  // what the system needs to convert into the zone

 private:
  TimeZone(std::string name, std::shared_ptr<const Rules> rules)
      : name_(std::move(name)), rules_(std::move(rules)) {}
  std::string name_;
  std::shared_ptr<const Rules> rules_;
};

}  // namespace quarvel
