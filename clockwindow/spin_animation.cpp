// The laps of Z and X: one frame per 50 ms tick, the spinning hand one position further each
// frame, the other hands from the clock, until the spinning hand meets the current time. A frame
// reuses the dial of the last face redraw.
#include "clockface/face_redraw.h"
#include "clockwindow/form1.h"
#include "runtime/checked_math.h"

namespace quarvel {

void Form1::SpinFrame(Spin spin) {
  const TimerId own = spin == Spin::kSecond ? TimerId::kTimer2 : TimerId::kTimer3;
  const TimerId other = spin == Spin::kSecond ? TimerId::kTimer3 : TimerId::kTimer2;
  window_.Cls();
  // When a key started one lap while the other ran, whichever ticks first carries on.
  if (window_.TimerEnabled(other)) window_.SetTimerEnabled(other, false);
  state_.spinCounter = Add16(state_.spinCounter, 1);
  if (state_.spinCounter >= 60) state_.spinCounter = 0;

  // Divisor 60 here, so the hour hand can stand one tick further on than on the still face;
  // it reaches 60 at 11 and 23 o'clock from minute 54 on, which is drawn as 0.
  int16_t hour = HourPosition(clock_, kSpinHourDivisor);
  if (hour == 60) hour = 0;
  DrawHandAt(state_, window_, state_.hourColor, hour, state_.hourShape);
  const int16_t minute =
      spin == Spin::kMinute ? state_.spinCounter : Narrow16(clock_.Now().minutes);
  DrawHandAt(state_, window_, state_.minuteColor, minute, state_.minuteShape);
  const int16_t second =
      spin == Spin::kSecond ? state_.spinCounter : Narrow16(clock_.Now().seconds);
  DrawHandAt(state_, window_, state_.secondColor, second, state_.secondShape);

  const TimeOfDay now = clock_.Now();
  const int reference = spin == Spin::kSecond ? now.seconds : now.minutes;
  if (reference == state_.spinCounter) {
    window_.SetTimerEnabled(own, false);
    window_.SetTimerEnabled(TimerId::kTimer1, true);
  }
}

}  // namespace quarvel
