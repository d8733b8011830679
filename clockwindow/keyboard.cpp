// The clock's keys, by key code alone: Shift, Ctrl and Alt make no difference.
#include "clockwindow/form1.h"
#include "clockwindow/topmost.h"
#include "runtime/checked_math.h"

namespace quarvel {

namespace {
constexpr int16_t kKeyA = 65;
constexpr int16_t kKeyC = 67;
constexpr int16_t kKeyX = 88;
constexpr int16_t kKeyZ = 90;
}  // namespace

void Form1::OnKeyDown(int16_t keyCode, int16_t /*shift*/) {
  switch (keyCode) {
    case kKeyZ:  // the minute hand runs a lap from the current minute
      state_.spinCounter = Narrow16(clock_.Now().minutes);
      window_.SetTimerEnabled(TimerId::kTimer1, false);
      window_.SetTimerEnabled(TimerId::kTimer3, true);
      break;
    case kKeyX:  // the second hand runs a lap; 59 + 1 gives 60, which the first frame wraps
      state_.spinCounter = Round16(clock_.Now().seconds + 1.0);
      window_.SetTimerEnabled(TimerId::kTimer1, false);
      window_.SetTimerEnabled(TimerId::kTimer2, true);
      break;
    case kKeyC:
      OnUnload();
      break;
    case kKeyA:  // the top-most layer, and with it the hiding, on or off
      if (state_.notTopmost != 0) {
        state_.notTopmost = 0;
        SetTopmost(window_, 1);
      } else {
        state_.notTopmost = -1;
        SetTopmost(window_, 0);
      }
      break;
    default:
      break;
  }
}

}  // namespace quarvel
