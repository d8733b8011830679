// Time zones on Linux: the system's tzdata (/usr/share/zoneinfo, or $TZDIR), read by the C
// library. The zone is set as the process's TZ, which glibc loads once and then keeps for every
// reading; a TZ of another zone per object would need tzalloc, which glibc lacks, or a tzdata
// reader of our own. The clock shows one zone, so one zone a process is all it needs.
#include <cstdlib>
#include <ctime>
#include <fstream>

#include "platform/time_zone.h"

namespace quarvel {

struct TimeZone::Rules {
  std::string tzValue;  // ":Asia/Tokyo": the colon makes glibc read the file of that name
};

namespace {

std::string ZoneFolder() {
  const char* folder = std::getenv("TZDIR");
  return folder != nullptr && *folder != '\0' ? folder : "/usr/share/zoneinfo";
}

// Every compiled zone file begins with these four bytes; zone.tab and the like don't.
bool IsZoneFile(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  char magic[4] = {};
  return file.read(magic, sizeof magic) && std::string(magic, sizeof magic) == "TZif";
}

}  // namespace

UtcInstant UtcNow() {
  timespec now{};
  clock_gettime(CLOCK_REALTIME, &now);
  return {static_cast<int64_t>(now.tv_sec), static_cast<int>(now.tv_nsec / 1000000)};
}

std::optional<TimeZone> TimeZone::Find(const std::string& name) {
  if (!LooksLikeTimeZoneName(name) || !IsZoneFile(ZoneFolder() + "/" + name)) return std::nullopt;
  return TimeZone(name, std::make_shared<const Rules>(Rules{":" + name}));
}

TimeOfDay TimeZone::At(UtcInstant instant) const {
  // tzset reloads only when TZ changed, so a clock in one zone reads its file once.
  const char* current = std::getenv("TZ");
  if (current == nullptr || rules_->tzValue != current) {
    setenv("TZ", rules_->tzValue.c_str(), 1);
    tzset();
  }
  const auto seconds = static_cast<std::time_t>(instant.seconds);
  std::tm local{};
  localtime_r(&seconds, &local);
  return TimeOfDay{local.tm_hour, local.tm_min, local.tm_sec, instant.milliseconds, local.tm_mday};
}

}  // namespace quarvel
