// Time zones on Windows: the IANA name mapped to the Windows zone that keeps it (CLDR's table),
// that zone found with advapi32's EnumDynamicTimeZoneInformation (Windows 8 and later; Windows 7
// lacks it and knows no zone by name) and each instant converted with the zone's daylight-saving
// rules of its year (GetTimeZoneInformationForYear, SystemTimeToTzSpecificLocalTime).
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#include <algorithm>
#include <string_view>

#include "platform/time_zone.h"
#include "platform/windows_zone_ids.h"

namespace quarvel {

struct TimeZone::Rules {
  DYNAMIC_TIME_ZONE_INFORMATION zone;
};

namespace {

constexpr int64_t kFileTimeTicksPerSecond = 10000000;
constexpr int64_t kFileTimeAtUnixEpoch = 116444736000000000;  // 1970-01-01 in 100 ns since 1601

std::string_view WindowsZoneOf(const std::string& name) {
  const auto* end = std::end(kWindowsZoneIds);
  const auto* found = std::lower_bound(
      std::begin(kWindowsZoneIds), end, name,
      [](const WindowsZoneId& entry, const std::string& key) { return entry.iana < key; });
  return found != end && found->iana == name ? found->windows : std::string_view();
}

bool IsKeyName(const WCHAR* keyName, std::string_view id) {
  std::size_t i = 0;
  for (; i < id.size(); ++i)
    if (keyName[i] != static_cast<WCHAR>(static_cast<unsigned char>(id[i]))) return false;
  return keyName[i] == L'\0';
}

std::optional<DYNAMIC_TIME_ZONE_INFORMATION> FindWindowsZone(std::string_view id) {
  using Enumerate = DWORD(WINAPI*)(DWORD, PDYNAMIC_TIME_ZONE_INFORMATION);
  // Advapi32 exports it from Windows 8 on (its kernel32 doesn't); a system DLL, from System32.
  const HMODULE advapi = LoadLibraryExW(L"advapi32.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
  const auto enumerate = advapi == nullptr
                             ? nullptr
                             : reinterpret_cast<Enumerate>(reinterpret_cast<void*>(
                                   GetProcAddress(advapi, "EnumDynamicTimeZoneInformation")));
  if (enumerate == nullptr) return std::nullopt;
  DYNAMIC_TIME_ZONE_INFORMATION zone{};
  for (DWORD index = 0; enumerate(index, &zone) == ERROR_SUCCESS; ++index)
    if (IsKeyName(zone.TimeZoneKeyName, id)) return zone;
  return std::nullopt;
}

// The zone's rules of that year applied to `utc` (Wine lacks SystemTimeToTzSpecificLocalTimeEx,
// which does the same in one call).
bool ToZone(const DYNAMIC_TIME_ZONE_INFORMATION& zone, const SYSTEMTIME& utc, WORD year,
            SYSTEMTIME& local) {
  DYNAMIC_TIME_ZONE_INFORMATION dynamic = zone;
  TIME_ZONE_INFORMATION ofYear{};
  return GetTimeZoneInformationForYear(year, &dynamic, &ofYear) &&
         SystemTimeToTzSpecificLocalTime(&ofYear, &utc, &local);
}

}  // namespace

UtcInstant UtcNow() {
  FILETIME now{};
  GetSystemTimeAsFileTime(&now);
  const int64_t ticks =
      (static_cast<int64_t>(now.dwHighDateTime) << 32 | now.dwLowDateTime) - kFileTimeAtUnixEpoch;
  return {ticks / kFileTimeTicksPerSecond,
          static_cast<int>(ticks % kFileTimeTicksPerSecond / (kFileTimeTicksPerSecond / 1000))};
}

std::optional<TimeZone> TimeZone::Find(const std::string& name) {
  if (!LooksLikeTimeZoneName(name)) return std::nullopt;
  const std::string_view id = WindowsZoneOf(name);
  if (id.empty()) return std::nullopt;
  const std::optional<DYNAMIC_TIME_ZONE_INFORMATION> zone = FindWindowsZone(id);
  if (!zone) return std::nullopt;
  return TimeZone(name, std::make_shared<const Rules>(Rules{*zone}));
}

TimeOfDay TimeZone::At(UtcInstant instant) const {
  const int64_t ticks = instant.seconds * kFileTimeTicksPerSecond + kFileTimeAtUnixEpoch;
  const FILETIME utcFile{static_cast<DWORD>(ticks), static_cast<DWORD>(ticks >> 32)};
  SYSTEMTIME utc{};
  SYSTEMTIME local{};
  if (!FileTimeToSystemTime(&utcFile, &utc) || !ToZone(rules_->zone, utc, utc.wYear, local))
    local = utc;  // a date the system can't convert: universal time rather than none
  // The rules are the local year's: on the night of New Year, the year that begins or ends.
  if (local.wYear != utc.wYear) ToZone(rules_->zone, utc, local.wYear, local);
  return TimeOfDay{local.wHour, local.wMinute, local.wSecond, instant.milliseconds, local.wDay};
}

}  // namespace quarvel
