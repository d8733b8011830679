#pragma once
// A held key repeats as the compositor asks (wl_keyboard.repeat_info): on Wayland the client
// repeats keys itself, where on X11 the server does. Only the key pressed last repeats, and
// nothing is due while no key is held, so an idle clock has no timer for it.
#include <cstdint>
#include <optional>

#include "platform/timer_table.h"

namespace quarvel {

class KeyRepeat {
 public:
  // Repeats a second (0: keys don't repeat) after a delay in milliseconds.
  void SetRate(int32_t perSecond, int32_t delayMs);
  // A key that repeats went down (it replaces the one held before) or up.
  void Press(uint32_t key, int64_t nowMs);
  void Release(uint32_t key);
  // The keyboard went elsewhere: no key repeats.
  void Stop() { held_.reset(); }

  // When the next repeat is due, TimerTable::kNever while none is.
  int64_t NextDueMs() const;
  // The held key when a repeat is due at `nowMs`, once for each time it is asked and due;
  // a loop that woke late gets one repeat, not a burst.
  std::optional<uint32_t> TakeDue(int64_t nowMs);

 private:
  int32_t intervalMs_ = 40;  // the usual 25 a second until the compositor says
  int32_t delayMs_ = 600;
  bool repeats_ = true;
  std::optional<uint32_t> held_;
  int64_t dueMs_ = TimerTable::kNever;
};

}  // namespace quarvel
