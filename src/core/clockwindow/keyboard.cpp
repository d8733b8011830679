// The clock's keys, by key code alone: Shift, Ctrl and Alt make no difference.
#include "core/clockwindow/form1.h"
#include "core/clockwindow/topmost.h"
#include "runtime/checked_math.h"

namespace quarvel {

namespace {
constexpr int16_t kKeyA = 65;
constexpr int16_t kKeyC = 67;
constexpr int16_t kKeyX = 88;
constexpr int16_t kKeyZ = 90;
}  // namespace

bool Form1::OnKeyDown(int16_t keyCode, int16_t /*shift*/) {
  if (keyCode != kKeyZ && keyCode != kKeyX && keyCode != kKeyC && keyCode != kKeyA) return false;
  Guarded([&] {
    switch (keyCode) {
      case kKeyZ:
        StartLap(Lap::kMinute);
        break;
      case kKeyX:  // a clock without a seconds hand has no second lap
        if (state_.secondsHand) StartLap(Lap::kSecond);
        break;
      case kKeyC:
        OnUnload();
        break;
      case kKeyA:  // the top-most layer, and with it the hiding, on or off
        state_.topmost = !state_.topmost;
        SetTopmost(window_, state_.topmost ? 1 : 0, LayerBesideTopmost(options_));
        break;
      default:
        break;
    }
  });
  return true;
}

}  // namespace quarvel
