#include "core/skineditor/skin_limits.h"

#include <limits>

#include "core/skin/settings_file.h"
#include "core/skineditor/dial_frame.h"
#include "runtime/runtime_error.h"

namespace quarvel {

namespace {
bool Fits16(int32_t value) {
  return value >= std::numeric_limits<int16_t>::min() &&
         value <= std::numeric_limits<int16_t>::max();
}

// The line a point stands on in the saved file: the colour is line 1.
std::string LineOf(std::size_t pointIndex) {
  return "line " + std::to_string(pointIndex + 2);
}

std::optional<std::string> HandRefusal(HandId id, const HandDraft& hand, int32_t faceWidth) {
  const char* file = HandFileName(id);
  if (hand.points.size() > static_cast<std::size_t>(HandShape::kCapacity))
    return RuntimeError(ErrorNumber::kSubscriptOutOfRange, file,
                        "pair " + std::to_string(HandShape::kCapacity + 1))
               .what() +
           std::string("\nThe clock reads at most 51 points.");
  for (std::size_t i = 0; i < hand.points.size(); ++i) {
    const ShapePoint& point = hand.points[i];
    if (!Fits16(point.angleOffset) || !Fits16(point.radiusPercent))
      return RuntimeError(ErrorNumber::kOverflow, file, LineOf(i)).what() +
             std::string("\nAngles and percents lie within -32768..32767.");
  }
  // The redraw and the laps put every hand at each of the 60 marks sooner or later.
  for (int16_t mark = 0; mark < 60; ++mark) {
    const ClockState dial = DialFor(faceWidth, mark);
    for (std::size_t i = 0; i < hand.points.size(); ++i) {
      if (PointPixel(dial, hand.points[i])) continue;
      return RuntimeError(ErrorNumber::kOverflow, file,
                          LineOf(i) + ", at mark " + std::to_string(mark))
                 .what() +
             std::string("\nThe clock would stop drawing there: the point lies too far out.");
    }
  }
  return std::nullopt;
}

// The clock trims blanks around the name and cuts it at a comma or a line break.
bool ReadsBackAsItStands(const std::string& name) {
  if (name.empty() || name.find_first_of(",\r\n") != std::string::npos) return false;
  const auto blank = [](char c) { return c == ' ' || c == '\t'; };
  return !blank(name.front()) && !blank(name.back());
}
}  // namespace

std::optional<std::string> FindRefusal(const SkinDocument& document, int32_t faceWidth) {
  for (HandId id : kFileOrder) {
    if (auto refusal = HandRefusal(id, document.hand(id), faceWidth)) return refusal;
  }
  if (!ReadsBackAsItStands(document.bitmapName))
    return std::string(kSettingsFile) + ": the clock would not read the bitmap name \"" +
           document.bitmapName + "\" as it stands (no commas, line breaks or blanks at its ends).";
  if (document.penWidth < 1)
    return RuntimeError(ErrorNumber::kInvalidPropertyValue, kSettingsFile, "pen width").what() +
           std::string("\nThe pen is at least 1 pixel wide.");
  return std::nullopt;
}

}  // namespace quarvel
