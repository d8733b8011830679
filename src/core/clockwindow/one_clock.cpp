#include "core/clockwindow/one_clock.h"

#include <string>

#include "core/clockwindow/clock_message.h"
#include "core/skin/settings_file.h"
#include "runtime/caption.h"

namespace quarvel {

// The lock is asked for again on each look: a running clock that closes meanwhile lets this
// start go on in its place.
bool ClaimSettingsFolder(PlatformSystem& system, const FileSlot& slot) {
  const std::string lockFile = slot.Resolve(kLockFile);
  uint32_t holder = 0;
  for (int waited = 0;; waited += kFindRunningClockPollMs) {
    const ProcessLock lock = system.LockForProcess(lockFile);
    if (lock.state != ProcessLock::State::kHeldElsewhere) return true;
    holder = lock.holder;
    if (holder != 0 && system.ActivateClockOf(holder, kCaption)) return false;
    if (waited >= kFindRunningClockMs) break;
    system.DoEvents(kFindRunningClockPollMs);
  }
  ShowClockMessage(system,
                   "A clock is already running in this folder" +
                       (holder != 0 ? " (process " + std::to_string(holder) + ")" : std::string()) +
                       ", and it keeps " + kSettingsFile +
                       ".\n\nThis start ends; close the running clock first to start it again.");
  return false;
}

}  // namespace quarvel
