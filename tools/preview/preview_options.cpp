#include "tools/preview/preview_options.h"

#include <cstdio>

namespace quarvel {

namespace {
bool ParseTime(const std::string& text, TimeOfDay& time) {
  int h = -1, m = -1, s = -1;
  char tail = 0;
  if (std::sscanf(text.c_str(), "%2d:%2d:%2d%c", &h, &m, &s, &tail) != 3) return false;
  if (h < 0 || h > 23 || m < 0 || m > 59 || s < 0 || s > 59) return false;
  time = TimeOfDay{h, m, s};
  return true;
}

bool ParseSize(const std::string& text, int& width, int& height) {
  char tail = 0;
  if (std::sscanf(text.c_str(), "%dx%d%c", &width, &height, &tail) != 2) return false;
  return width > 0 && height > 0 && width <= 16384 && height <= 16384;
}
}  // namespace

std::string ParsePreviewOptions(const std::vector<std::string>& args, PreviewOptions& options) {
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    const bool hasValue = i + 1 < args.size();
    if (arg == "--segments") {
      options.segments = true;
    } else if (arg == "--time") {
      TimeOfDay time;
      if (!hasValue || !ParseTime(args[++i], time))
        return "--time wants HH:MM:SS (00:00:00 to 23:59:59)";
      options.time = time;
    } else if (arg == "--size") {
      if (!hasValue || !ParseSize(args[++i], options.width, options.height))
        return "--size wants WxH in pixels, such as 200x200 (at most 16384 each way)";
    } else if (arg == "--png") {
      if (!hasValue || args[i + 1].empty()) return "--png wants a file name";
      options.pngPath = args[++i];
    } else {
      return "unknown argument: " + arg;
    }
  }
  if (!options.segments && options.pngPath.empty())
    return "nothing to do: give --png FILE and/or --segments";
  return {};
}

}  // namespace quarvel
