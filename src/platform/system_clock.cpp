// The local time of day on each system: GetLocalTime on Windows, localtime_r elsewhere; in a zone
// of its own, the universal time converted there.
#include "platform/clock.h"
#include "platform/time_zone.h"

#ifdef _WIN32
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>
#else
#include <ctime>
#endif

namespace quarvel {

SystemClock::SystemClock() : SystemClock(UtcNow) {}

SystemClock::SystemClock(std::function<UtcInstant()> utcNow) : utcNow_(std::move(utcNow)) {}

SystemClock::~SystemClock() = default;

bool SystemClock::UseTimeZone(const std::string& name) {
  if (name.empty()) {
    zone_.reset();
    return true;
  }
  std::optional<TimeZone> zone = TimeZone::Find(name);
  if (!zone) return false;
  zone_ = std::make_unique<TimeZone>(std::move(*zone));
  return true;
}

TimeOfDay SystemClock::Now() {
  if (zone_) return zone_->At(utcNow_());
#ifdef _WIN32
  SYSTEMTIME local;
  GetLocalTime(&local);
  return TimeOfDay{local.wHour, local.wMinute, local.wSecond, local.wMilliseconds, local.wDay};
#else
  timespec now{};
  clock_gettime(CLOCK_REALTIME, &now);
  std::tm local{};
  localtime_r(&now.tv_sec, &local);
  return TimeOfDay{local.tm_hour, local.tm_min, local.tm_sec,
                   static_cast<int>(now.tv_nsec / 1000000), local.tm_mday};
#endif
}

}  // namespace quarvel
