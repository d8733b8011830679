#include "core/skineditor/face_time.h"

#include <array>
#include <cstdio>

namespace quarvel {

std::optional<TimeOfDay> ParseTimeOfDay(std::string_view text) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  std::array<int, 3> parts{};
  std::size_t count = 0;
  std::size_t digits = 0;
  for (char c : text) {
    if (c == ':') {
      if (digits == 0 || ++count == parts.size()) return std::nullopt;
      digits = 0;
    } else if (c >= '0' && c <= '9' && digits < 2) {
      parts[count] = parts[count] * 10 + (c - '0');
      ++digits;
    } else {
      return std::nullopt;
    }
  }
  if (digits == 0 || count == 0) return std::nullopt;
  if (parts[0] > 23 || parts[1] > 59 || parts[2] > 59) return std::nullopt;
  return TimeOfDay{parts[0], parts[1], parts[2], 0};
}

std::string TimeText(TimeOfDay time) {
  char text[16];
  std::snprintf(text, sizeof text, "%02d:%02d:%02d", time.hours % 100, time.minutes % 100,
                time.seconds % 100);
  return text;
}

}  // namespace quarvel
