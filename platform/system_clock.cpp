#include <ctime>

#include "platform/clock.h"

namespace quarvel {

TimeOfDay SystemClock::Now() {
  std::time_t now = std::time(nullptr);
  std::tm local{};
#ifdef _WIN32
  localtime_s(&local, &now);
#else
  localtime_r(&now, &local);
#endif
  return TimeOfDay{local.tm_hour, local.tm_min, local.tm_sec};
}

}  // namespace quarvel
