#include "core/clockface/screen_dpi.h"

#include <cstdlib>
#include <string>

namespace quarvel {

namespace {
float CheckedDpi(std::string_view setting) {
  const std::string text(setting.substr(0, setting.find('\0')));
  char* end = nullptr;
  const float parsed = std::strtof(text.c_str(), &end);
  while (end != text.c_str() && (*end == ' ' || *end == '\t')) ++end;
  if (end != text.c_str() && *end == '\0' && parsed >= kMinDpi && parsed <= kMaxDpi) return parsed;
  return kDefaultDpi;
}
}  // namespace

TwipsPerPixel TwipsAtDesktopDpi(std::optional<std::string_view> setting) {
  const float dpi = setting ? CheckedDpi(*setting) : kDefaultDpi;
  return {1440.0f / dpi, 1440.0f / dpi};
}

}  // namespace quarvel
