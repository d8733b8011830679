#pragma once
// Command line of quarvel-preview.
#include <optional>
#include <string>
#include <vector>

#include "platform/clock.h"

namespace quarvel {

struct PreviewOptions {
  std::optional<TimeOfDay> time;  // default: now
  std::optional<int> day;         // of the month, for the date's window; default: today's
  int width = 0;                  // 0: as wide as the bitmap
  int height = 0;
  std::string pngPath;  // "-": standard output
  bool segments = false;
  std::string scale;  // as the clock's QUARVEL_SCALE; empty: 1
};

// Parses the arguments (without the program name). Returns an error message, or an empty
// string on success.
std::string ParsePreviewOptions(const std::vector<std::string>& args, PreviewOptions& options);

}  // namespace quarvel
