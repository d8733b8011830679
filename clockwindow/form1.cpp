#include "clockwindow/form1.h"

#include "clockface/face_redraw.h"

namespace quarvel {

Form1::Form1(PlatformWindow& window, PlatformSystem& system, Clock& clock, FileSlot& slot)
    : window_(window), system_(system), clock_(clock), slot_(slot) {
  window_.SetEventSink(this);
  window_.SetTimerInterval(TimerId::kTimer1, kTimer1Interval);
  window_.SetTimerInterval(TimerId::kTimer2, kSpinInterval);
  window_.SetTimerInterval(TimerId::kTimer3, kSpinInterval);
  window_.SetTimerEnabled(TimerId::kTimer1, true);
}

void Form1::OnTimer(TimerId timer) {
  switch (timer) {
    case TimerId::kTimer1:
      // The pointer test runs once per change of second, right after the redraw.
      if (SecondTick(state_, window_, clock_)) DodgeCheck();
      break;
    case TimerId::kTimer2:
      SpinFrame(Spin::kSecond);
      break;
    case TimerId::kTimer3:
      SpinFrame(Spin::kMinute);
      break;
  }
}

void Form1::OnUnload() {
  if (unloading_) return;  // a second close request while the first is saving
  unloading_ = true;
  WriteSettings();
}

void Form1::WriteSettings() {
  try {
    WriteSettingsFile(slot_, state_);
  } catch (const RuntimeError& e) {
    // The old file is still whole: say so, and end without pretending the save worked.
    system_.ShowMessage("The settings could not be saved to \"" + std::string(kSettingsFile) +
                        "\".\n\n" + e.what() + "\n\nThe previous settings file is unchanged.");
    system_.EndProcess(1);
    return;
  }
  system_.EndProcess(0);
}

}  // namespace quarvel
