// The laps of Z and X: one frame per 50 ms tick, the lapping hand one position further each
// frame, the other hands from the clock, until the lapping hand meets the current time. A frame
// reuses the dial of the last face redraw.
#include "core/clockface/face_redraw.h"
#include "core/clockwindow/form1.h"
#include "runtime/checked_math.h"

namespace quarvel {

namespace {
TimerId LapTimer(Lap lap) {
  return lap == Lap::kSecond ? Form1::kSecondLap : Form1::kMinuteLap;
}
}  // namespace

void Form1::StartLap(Lap lap) {
  // The minute hand starts from the current minute; the second hand from the next second, so
  // 59 + 1 gives 60, which the first frame wraps.
  state_.spinCounter =
      lap == Lap::kMinute ? Narrow16(clock_.Now().minutes) : Round16(clock_.Now().seconds + 1.0);
  SetTimerEnabled(kSecondTick, false);
  SetTimerEnabled(LapTimer(lap), true);
}

void Form1::LapFrame(Lap lap) {
  const TimerId own = LapTimer(lap);
  const TimerId other = LapTimer(lap == Lap::kSecond ? Lap::kMinute : Lap::kSecond);
  canvas_.Cls();
  // When a key started one lap while the other ran, whichever ticks first carries on.
  if (TimerEnabled(other)) SetTimerEnabled(other, false);
  state_.spinCounter = Add16(state_.spinCounter, 1);
  if (state_.spinCounter >= 60) state_.spinCounter = 0;

  // Divisor 60 here, so the hour hand can stand one tick further on than on the still face;
  // it reaches 60 at 11 and 23 o'clock from minute 54 on, which is drawn as 0.
  int16_t hour = HourPosition(clock_, kLapHourDivisor);
  if (hour == 60) hour = 0;
  DrawHandAt(state_, canvas_, state_.hourColor, hour, state_.hourShape);
  const int16_t minute = lap == Lap::kMinute ? state_.spinCounter : Narrow16(clock_.Now().minutes);
  DrawHandAt(state_, canvas_, state_.minuteColor, minute, state_.minuteShape);
  const int16_t second = lap == Lap::kSecond ? state_.spinCounter : Narrow16(clock_.Now().seconds);
  if (state_.secondsHand)
    DrawHandAt(state_, canvas_, state_.secondColor, second, state_.secondShape);
  PresentHands();

  const TimeOfDay now = clock_.Now();
  const int reference = lap == Lap::kSecond ? now.seconds : now.minutes;
  if (reference == state_.spinCounter) {
    SetTimerEnabled(own, false);
    SetTimerEnabled(kSecondTick, true);
  }
}

}  // namespace quarvel
