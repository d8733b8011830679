#pragma once
// An opacity in percent on a window system's own scale of it, from 0 (clear) to `full`
// (opaque), to the nearest step: 255 for a pixel's alpha, 0xFFFFFFFF for an X11 property.
#include <algorithm>
#include <cstdint>

namespace quarvel {

constexpr uint64_t OpacityOnScale(int percent, uint64_t full) {
  const auto clamped = static_cast<uint64_t>(std::clamp(percent, 0, 100));
  return (full * clamped + 50) / 100;
}

}  // namespace quarvel
