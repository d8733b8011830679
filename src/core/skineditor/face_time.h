#pragma once
// The time the editor's face stands at, as the author types it.
#include <optional>
#include <string>
#include <string_view>

#include "platform/clock.h"

namespace quarvel {

// The classic pose of a clock in a picture: the hands clear of each other and of the maker's
// name, the second hand apart from both.
inline constexpr TimeOfDay kClassicPose{10, 8, 36, 0};

// "H:MM:SS" or "HH:MM" (seconds 0), blanks around it ignored; nothing for anything else or a
// time outside 0:00:00..23:59:59.
std::optional<TimeOfDay> ParseTimeOfDay(std::string_view text);

// "HH:MM:SS".
std::string TimeText(TimeOfDay time);

}  // namespace quarvel
