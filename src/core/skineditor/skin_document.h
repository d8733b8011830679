#pragma once
// The skin as the editor holds it: the three hands (colour and outline), the lines of
// settings.ini the author sets (the face bitmap's name, the pen width and the clock's size) and
// the clock's options (options.ini). The place and the A switch belong to the clock and are never
// part of the document.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "core/clockface/clock_state.h"
#include "core/skin/clock_options.h"

namespace quarvel {

// In the order the editor offers them.
enum class HandId { kHour, kMinute, kSecond };
inline constexpr std::array<HandId, 3> kAllHands{HandId::kHour, HandId::kMinute, HandId::kSecond};
// In the order the clock reads the files, which is also the order they are saved in.
inline constexpr std::array<HandId, 3> kFileOrder{HandId::kMinute, HandId::kHour, HandId::kSecond};

const char* HandFileName(HandId hand);
const char* HandName(HandId hand);  // "hour hand", ...

// Values are 32-bit as the clock holds them; whether the clock can draw them is checked before a
// save (skin_limits.h), not here, so a value typed in stays visible until it is corrected.
struct HandDraft {
  ColorRef color = 0;
  std::vector<ShapePoint> points;
  bool operator==(const HandDraft&) const = default;
};

struct SkinDocument {
  std::array<HandDraft, 3> hands;  // by HandId
  std::string bitmapName;
  int16_t penWidth = 0;
  int16_t sizePercent = 0;  // the clock's size in percent of the face; 0: the screen's
  ClockOptions options;

  HandDraft& hand(HandId id) { return hands[static_cast<std::size_t>(id)]; }
  const HandDraft& hand(HandId id) const { return hands[static_cast<std::size_t>(id)]; }
  bool operator==(const SkinDocument&) const = default;
};

// A hand's outline as the clock's drawing takes it; at most its capacity.
HandShape ToHandShape(const HandDraft& hand);

}  // namespace quarvel
