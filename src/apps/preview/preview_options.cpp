#include "apps/preview/preview_options.h"

#include <charconv>
#include <string_view>
#include <system_error>

#include "core/clockface/face_scale.h"
#include "core/skin/bmp_decoder.h"

namespace quarvel {

namespace {
// Reads a whole number in [min, max] from the front of text, up to `end`; false when there is
// none or it does not fit (no wrap-around: 4294967496 is not 200).
bool TakeNumber(std::string_view& text, int min, int max, int& value, char end) {
  const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
  if (result.ec != std::errc() || value < min || value > max) return false;
  text.remove_prefix(static_cast<std::size_t>(result.ptr - text.data()));
  if (end == '\0') return text.empty();
  if (text.empty() || text.front() != end) return false;
  text.remove_prefix(1);
  return true;
}

bool ParseTime(std::string_view text, TimeOfDay& time) {
  return text.size() == 8 && TakeNumber(text, 0, 23, time.hours, ':') &&
         TakeNumber(text, 0, 59, time.minutes, ':') && TakeNumber(text, 0, 59, time.seconds, '\0');
}

bool ParseSize(std::string_view text, int& width, int& height) {
  return TakeNumber(text, 1, kMaxPictureSide, width, 'x') &&
         TakeNumber(text, 1, kMaxPictureSide, height, '\0');
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
    } else if (arg == "--day") {
      int day = 0;
      std::string_view text = hasValue ? std::string_view(args[i + 1]) : std::string_view();
      if (!hasValue || !TakeNumber(text, 1, 31, day, '\0')) return "--day wants a day from 1 to 31";
      options.day = day;
      ++i;
    } else if (arg == "--size") {
      if (!hasValue || !ParseSize(args[++i], options.width, options.height))
        return "--size wants WxH in pixels, such as 200x200 (at most 16384 each way)";
    } else if (arg == "--scale") {
      if (!hasValue || !ParseScale(args[i + 1]))
        return "--scale wants a number from 0.5 to 4, such as 1.5 or 2";
      options.scale = args[++i];
    } else if (arg == "--png") {
      if (!hasValue || args[i + 1].empty()) return "--png wants a file name";
      options.pngPath = args[++i];
    } else {
      return "unknown argument: " + arg;
    }
  }
  if (!options.segments && options.pngPath.empty())
    return "nothing to do: give --png FILE and/or --segments";
  if (options.segments && options.pngPath == "-")
    return "--png - and --segments would both write to standard output";
  return {};
}

}  // namespace quarvel
