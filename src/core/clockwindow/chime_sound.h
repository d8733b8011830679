#pragma once
// The hourly chime's sound, one file for every build: beside quarvel.exe on Windows, in
// <prefix>/share/quarvel beside the default skin on Linux.
#include <string_view>

namespace quarvel {

inline constexpr std::string_view kChimeFile = "chime.wav";

}  // namespace quarvel
