#pragma once
// The options' opacity on a window system's own scale (255 for Windows' alpha byte, 0xFFFFFFFF
// for X's opacity property): decided here, so every backend rounds it the same way.
#include <cstdint>

namespace quarvel {

// The share `percent` of `opaque`, to the nearest step; 100 percent is `opaque` itself.
constexpr uint32_t OpacityOnScale(int percent, uint32_t opaque) {
  return static_cast<uint32_t>((static_cast<uint64_t>(percent) * opaque + 50) / 100);
}

}  // namespace quarvel
