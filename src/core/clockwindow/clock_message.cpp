#include "core/clockwindow/clock_message.h"

#include <utility>

#include "runtime/caption.h"

namespace quarvel {

Message ClockMessage(std::string text) {
  return {.caption = kCaption, .text = std::move(text), .button = kMessageButton, .topmost = true};
}

void ShowClockMessage(PlatformSystem& system, std::string text) {
  system.ShowMessage(ClockMessage(std::move(text)));
}

void ReportSystemCallFailure(PlatformSystem& system, const SystemCallFailure& failure) {
  ShowClockMessage(system, failure.what());
  system.EndProcess(1);
}

}  // namespace quarvel
