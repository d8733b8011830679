// Which of the clock's timers runs, and when Timer1 wakes. The still face changes once a
// second, so Timer1 sleeps until just after the clock's second changes instead of asking ten
// times a hundredth of a second; the laps keep their 50 ms frames.
#include "core/clockface/face_redraw.h"
#include "core/clockwindow/form1.h"

namespace quarvel {

namespace {
constexpr int kSecondMs = 1000;

// From a reading of the clock to just after the next change of its second.
int DelayToNextSecond(const TimeOfDay& now) {
  const int rest = kSecondMs - now.milliseconds;
  return (rest < 1 ? 1 : rest > kSecondMs ? kSecondMs : rest) + Form1::kTickMarginMs;
}

// A tick this soon after the change of second is on time.
bool OnTime(const TimeOfDay& now) {
  return now.milliseconds >= Form1::kTickMarginMs &&
         now.milliseconds <= Form1::kTickMarginMs + Form1::kTickToleranceMs;
}
}  // namespace

void Form1::SetTimerEnabled(TimerId timer, bool enabled) {
  // Switching on a timer that runs leaves its countdown alone: a held key, repeating faster
  // than the frames, would otherwise restart it before any frame came.
  if (enabled && TimerEnabled(timer)) return;
  timerOn_[Index(timer)] = enabled;
  if (!enabled) {
    window_.StopTimer(timer);
    return;
  }
  // Timer1 ticks soon after it is switched on, so a second that changed meanwhile (during a
  // lap) is drawn at once; from then on it follows the seconds.
  StartTimer(timer, timer == kSecondTick ? kFirstTickMs : kLapFrameMs);
}

void Form1::StartTimer(TimerId timer, int milliseconds) {
  timerInterval_[Index(timer)] = milliseconds;
  window_.StartTimer(timer, milliseconds);
}

void Form1::SecondTimerTick() {
  // The pointer test runs once per change of second, right after the redraw.
  if (SecondTick(state_, canvas_, clock_)) {
    PresentHands();
    DodgeCheck();
  }
  if (!TimerEnabled(kSecondTick)) return;
  // A tick on time leaves a one-second timer running as it is: no call to the window system
  // at all on most seconds. Any other tick sets the timer for the next change of second.
  const TimeOfDay now = clock_.Now();
  if (!OnTime(now)) {
    StartTimer(kSecondTick, DelayToNextSecond(now));
  } else if (timerInterval_[Index(kSecondTick)] != kSecondMs) {
    StartTimer(kSecondTick, kSecondMs);
  }
}

void Form1::OnClockChanged() {
  Guarded([&] {
    if (!TimerEnabled(kSecondTick)) return;  // a lap reads the clock at every frame anyway
    // No second equals -1, so this tick redraws even when only the hours moved.
    state_.lastSecond = -1;
    SecondTimerTick();
  });
}

}  // namespace quarvel
