#include "core/clockface/face_redraw.h"

#include "core/clockface/date_window.h"
#include "core/clockface/dial_geometry.h"
#include "core/clockface/face_scale.h"
#include "runtime/checked_math.h"
#include "runtime/number_text.h"
#include "runtime/runtime_error.h"

namespace quarvel {

namespace {
constexpr int32_t kDialMargin = 20;
}  // namespace

void DrawHandAt(ClockState& state, FaceCanvas& canvas, ColorRef color, int16_t position,
                const HandShape& shape) {
  canvas.SetForeColor(color);
  SetHand(state, position, 100);
  state.penX = 0;
  state.penY = 0;
  DrawHand(state, canvas, shape);
}

int16_t HourPosition(Clock& clock, int divisor) {
  const bool afternoon = clock.Now().hours > 11;
  const int h = clock.Now().hours;
  const int m = clock.Now().minutes;
  double v = 5.0 * h + (static_cast<double>(m) / divisor) * 5;
  // Written as text with 15 significant digits and read back before rounding, so a value never
  // carries binary noise into the ties-to-even step. The text always uses a point, whatever the
  // regional settings, so the fraction is never lost.
  v = RoundTripDecimal(v);
  if (afternoon) v -= 60;
  return Round16(v);
}

void DrawHand(ClockState& state, FaceCanvas& canvas, const HandShape& shape) {
  for (int i = 0; i < shape.pointCount; ++i) {
    if (i > HandShape::kCapacity - 1) Raise(ErrorNumber::kSubscriptOutOfRange);
    const ShapePoint& point = shape.points[static_cast<std::size_t>(i)];
    const int16_t percent = Narrow16(point.radiusPercent);
    const int16_t angle = Narrow16(point.angleOffset);
    LineToPolar(state, canvas, angle, percent);
  }
}

void RedrawFace(ClockState& state, FaceCanvas& canvas, Clock& clock) {
  canvas.Cls();
  state.centerX = Round32(canvas.ScaleWidth() / 2.0);
  state.centerY = Round32(canvas.ScaleHeight() / 2.0);
  // The margin grows with the clock, so at any scale the hands reach as far into the face.
  const int32_t margin = ScaledLength(kDialMargin, state.scale);
  state.radius =
      state.centerX < state.centerY ? Sub32(state.centerX, margin) : Sub32(state.centerY, margin);
  ShowDate(state, canvas, clock);  // under the hands
  DrawHandAt(state, canvas, state.hourColor, HourPosition(clock, kFaceHourDivisor),
             state.hourShape);
  DrawHandAt(state, canvas, state.minuteColor, Narrow16(clock.Now().minutes), state.minuteShape);
  if (state.secondsHand)
    DrawHandAt(state, canvas, state.secondColor, Narrow16(clock.Now().seconds), state.secondShape);
}

bool SecondTick(ClockState& state, FaceCanvas& canvas, Clock& clock) {
  // Without a seconds hand the ticks come on each new minute, all at second 0: the minute is
  // what changed then.
  const TimeOfDay now = clock.Now();
  if (now.seconds == state.lastSecond && (state.secondsHand || now.minutes == state.lastMinute))
    return false;
  RedrawFace(state, canvas, clock);
  const TimeOfDay drawn = clock.Now();
  state.lastSecond = Narrow16(drawn.seconds);
  state.lastMinute = Narrow16(drawn.minutes);
  return true;
}

}  // namespace quarvel
