#include "core/skineditor/clock_size.h"

#include <cctype>
#include <charconv>

#include "core/clockface/face_scale.h"

namespace quarvel {

std::string SizeText(int16_t percent) {
  return percent == 0 ? kAutomaticSize : std::to_string(percent) + " %";
}

std::optional<int16_t> ParseSize(std::string_view text) {
  const auto trim = [](std::string_view t) {
    const std::size_t first = t.find_first_not_of(" \t");
    return first == std::string_view::npos ? std::string_view{}
                                           : t.substr(first, t.find_last_not_of(" \t") - first + 1);
  };
  const auto lower = [](std::string_view t) {
    std::string out(t);
    for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
  };
  text = trim(text);
  if (text.empty() || lower(text) == lower(kAutomaticSize)) return int16_t{0};
  if (text.back() == '%') text = trim(text.substr(0, text.size() - 1));
  int32_t value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size() || !IsSizePercent(value))
    return std::nullopt;
  return static_cast<int16_t>(value);
}

}  // namespace quarvel
