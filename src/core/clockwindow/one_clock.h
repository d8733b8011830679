#pragma once
// One clock per settings file. Two clocks working in the same folder would both write its
// settings.ini, and the later close would silently win; so a second start in a folder where a
// clock runs brings that clock to the front and ends, before it has a window, shows the
// first-run dialog or touches settings.ini. The claim is a lock the system drops with the
// process, so a clock that crashed or was killed never stops the next start.
#include "platform/platform_system.h"
#include "runtime/file_slot.h"

namespace quarvel {

// In the clock's working folder; hidden (a dot on Linux, the attribute on Windows). It stays
// when the clock ends: removing it would let two starts lock two different files.
inline constexpr const char* kLockFile = ".quarvel.lock";
// How long a second start looks for the running clock's window (it may still be starting, or
// be in its first-run dialog) before it says that a clock runs there instead.
inline constexpr int kFindRunningClockMs = 3000;
inline constexpr int kFindRunningClockPollMs = 100;

// Called by each program before it creates the clock window. True: this process now holds the
// folder until it ends, and the clock starts (also when the folder can't be locked at all, as
// in a read-only skin folder: a lock never stops a start). False: another clock holds it; that
// clock was activated, or a message said that it runs, and this start ends with status 0.
bool ClaimSettingsFolder(PlatformSystem& system, const FileSlot& slot);

}  // namespace quarvel
