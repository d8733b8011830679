#pragma once
// Form1, the clock window's core: its state, its start-up and its event handlers, on top of any
// backend's PlatformWindow. The backend translates window-system messages into calls here.
#include "clockface/clock_state.h"
#include "platform/clock.h"
#include "platform/platform_window.h"
#include "runtime/file_slot.h"

namespace quarvel {

class Form1 final : public WindowEvents {
 public:
  // Without a picture the window keeps the designed width of its measuring picture box.
  static constexpr int kDesignedFaceWidth = 105;
  static constexpr int kTimer1Interval = 10;  // ms: the second tick
  static constexpr int kSpinInterval = 50;    // ms: the spin animations

  Form1(PlatformWindow& window, Clock& clock, FileSlot& slot);

  // The start-up sequence. The hand files load first and unguarded: their run-time error goes
  // to the caller, which reports it and ends the process before the window is shown.
  void Load();

  void OnTimer(TimerId timer) override;
  void OnUnload() override;

  ClockState& state() { return state_; }
  const ClockState& state() const { return state_; }

 private:
  PlatformWindow& window_;
  Clock& clock_;
  FileSlot& slot_;
  ClockState state_;
};

}  // namespace quarvel
