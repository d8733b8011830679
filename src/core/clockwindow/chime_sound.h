#pragma once
// The hourly chime's sound: a file installed beside the clock's program.
#include <string_view>

namespace quarvel {

inline constexpr std::string_view kChimeFile = "chime.wav";

}  // namespace quarvel
