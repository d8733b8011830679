// The local time of day on each system: GetLocalTime on Windows, localtime_r elsewhere.
#include "platform/clock.h"

#ifdef _WIN32
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>
#else
#include <ctime>
#endif

namespace quarvel {

TimeOfDay SystemClock::Now() {
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
