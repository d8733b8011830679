#pragma once
// How the clock speaks to its user: every message box with the clock's caption and button,
// above every window (a top-most clock must not cover the message it waits on), and the report
// of a window-system call no clock can run past.
#include <string>

#include "platform/platform_system.h"
#include "runtime/system_errors.h"

namespace quarvel {

Message ClockMessage(std::string text);

void ShowClockMessage(PlatformSystem& system, std::string text);

// Says what failed and ends the process with 1.
void ReportSystemCallFailure(PlatformSystem& system, const SystemCallFailure& failure);

}  // namespace quarvel
