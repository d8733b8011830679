// Which of the clock's timers runs, and when Timer1 wakes. The still face changes once a
// second (once a minute without a seconds hand), so Timer1 sleeps until just after that change
// instead of asking ten times a hundredth of a second; the laps keep their 50 ms frames.
#include "core/clockface/face_redraw.h"
#include "core/clockwindow/form1.h"

namespace quarvel {

namespace {
constexpr int kSecondMs = 1000;
constexpr int kMinuteMs = 60 * kSecondMs;

// How far a reading of the clock is into the face's period (a second or a minute).
int IntoPeriod(const TimeOfDay& now, int periodMs) {
  return (periodMs == kMinuteMs ? now.seconds * kSecondMs : 0) + now.milliseconds;
}

// From a reading of the clock to just after the next change of the face.
int DelayToNextChange(const TimeOfDay& now, int periodMs) {
  const int rest = periodMs - IntoPeriod(now, periodMs);
  return (rest < 1 ? 1 : rest > periodMs ? periodMs : rest) + Form1::kTickMarginMs;
}

// A tick this soon after the face's change is on time.
bool OnTime(const TimeOfDay& now, int periodMs) {
  const int into = IntoPeriod(now, periodMs);
  return into >= Form1::kTickMarginMs && into <= Form1::kTickMarginMs + Form1::kTickToleranceMs;
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
  // The pointer test runs once per change of second, right after the redraw (without a seconds
  // hand the face is the same, but a parked clock still needs the test to come back).
  if (SecondTick(state_, canvas_, clock_)) {
    PresentHands();
    DodgeCheck();
    ChimeCheck();
  }
  if (!TimerEnabled(kSecondTick)) return;
  FollowTheFace();
}

void Form1::ChimeCheck() {
  // Once on each full hour the face reaches, whether a second or a minute brought it there.
  const TimeOfDay now = clock_.Now();
  if (now.minutes != 0 || now.hours == chimedHour_) return;
  chimedHour_ = now.hours;
  if (options_.hourlyChime) system_.PlayChime();
}

int Form1::FacePeriodMs() const {
  return state_.secondsHand || state_.dodged ? kSecondMs : kMinuteMs;
}

void Form1::FollowTheFace() {
  // A tick on time leaves the timer running as it is: no call to the window system at all on
  // most ticks. Any other tick sets the timer for the next change.
  const int period = FacePeriodMs();
  const TimeOfDay now = clock_.Now();
  if (!OnTime(now, period)) {
    StartTimer(kSecondTick, DelayToNextChange(now, period));
  } else if (timerInterval_[Index(kSecondTick)] != period) {
    StartTimer(kSecondTick, period);
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
