#include "skineditor/clock_size.h"

#include <algorithm>
#include <cctype>

#include "clockface/face_scale.h"

namespace quarvel {

std::string SizeText(int16_t percent) {
  return percent == 0 ? kAutomaticSize : std::to_string(percent) + " %";
}

std::optional<int16_t> ParseSize(std::string_view text) {
  const auto blank = [](char c) { return c == ' ' || c == '\t'; };
  while (!text.empty() && blank(text.front())) text.remove_prefix(1);
  while (!text.empty() && blank(text.back())) text.remove_suffix(1);
  const std::string_view automatic = kAutomaticSize;
  if (text.empty() ||
      std::equal(text.begin(), text.end(), automatic.begin(), automatic.end(), [](char a, char b) {
        return std::tolower(static_cast<unsigned char>(a)) ==
               std::tolower(static_cast<unsigned char>(b));
      }))
    return int16_t{0};
  if (text.back() == '%') text.remove_suffix(1);
  while (!text.empty() && blank(text.back())) text.remove_suffix(1);
  if (text.empty() || text.size() > 3) return std::nullopt;
  int32_t value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + (c - '0');
  }
  if (!IsSizePercent(value)) return std::nullopt;
  return static_cast<int16_t>(value);
}

}  // namespace quarvel
