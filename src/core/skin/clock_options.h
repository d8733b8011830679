#pragma once
// The clock's options beyond its skin, each with today's behaviour as its default, and the text
// each takes in "options.ini": a key and a value the user may type. A value the clock can't use
// is refused with the reason, and the option keeps its default.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/clockface/clock_state.h"

namespace quarvel {

enum class ClockLayer { kTopmost, kNormal, kBelow };

inline constexpr int kMinOpacityPercent = 20;
inline constexpr int kMaxOpacityPercent = 100;

struct ClockOptions {
  bool secondsHand = true;
  bool date = false;
  std::string timeZone;  // an IANA name such as Asia/Tokyo; empty: the system's
  int opacityPercent = kMaxOpacityPercent;
  ClockLayer layer = ClockLayer::kTopmost;
  bool allWorkspaces = false;
  bool startAtLogin = false;
  bool hourlyChime = false;
  bool locked = false;
  DatePlace datePlace;                     // "date_place=55,0": percent of the radius, x then y
  ColorRef dateColor = kDefaultDateColor;  // "date_colour": a number as the hand files hold
  bool operator==(const ClockOptions&) const = default;
};

// The option keys, in the order a new file lists them.
const std::vector<std::string>& OptionKeys();

// The value of a known key as the file holds it ("on", "top-most", "80", ...).
std::string OptionValueText(const ClockOptions& options, const std::string& key);

// Sets the option of a known key from the text after its "=" (surrounding blanks ignored).
// Returns why the value can't be used, leaving the option as it was; nothing when it was taken.
std::optional<std::string> SetOptionFromText(ClockOptions& options, const std::string& key,
                                             const std::string& value);

}  // namespace quarvel
