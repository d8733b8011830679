#include "core/clockface/dial_geometry.h"

#include <cmath>

#include "runtime/checked_math.h"

namespace quarvel {

double DegreesToRadians(int32_t degrees) {
  return (degrees * 3.14) / 180;
}

void SetHand(ClockState& state, int16_t position, int16_t percent) {
  state.handPosition = position;
  state.radius = Round32((state.radius / 100.0) * percent);
  if (position >= 0 && position <= 59) state.handAngle = 6 * position;
}

int16_t PointDirection(const ClockState& state, int16_t angleOffset) {
  int16_t s = Narrow16(Add32(state.handAngle, angleOffset));
  // One correction each way only: sums outside -360..719 stay out of range on purpose.
  if (s < 0) s = static_cast<int16_t>(s + 360);
  if (s > 359) s = static_cast<int16_t>(s - 360);
  return s;
}

int16_t ScaledRadius(const ClockState& state, int16_t percent) {
  int32_t p = Mul32(state.radius, percent);
  return Round16(p / 100.0);
}

// The four quadrants reduce the angle differently; each row is kept as it stands, since the
// 3.14 constant makes them disagree slightly with each other at large radii.
int16_t PolarX(const ClockState& state, int16_t angleOffset, int16_t percent) {
  const int a = PointDirection(state, angleOffset);
  const int16_t r = ScaledRadius(state, percent);
  const double cx = state.centerX;
  if (a == 0 || a == 180) return Narrow16(state.centerX);
  if (a == 90) return Narrow16(Add32(state.centerX, r));
  if (a == 270) return Narrow16(Sub32(state.centerX, r));
  if (a >= 1 && a <= 89) return Round16(std::cos(DegreesToRadians(90 - a)) * r + cx);
  if (a >= 91 && a <= 179) return Round16(std::cos(DegreesToRadians(a - 90)) * r + cx);
  if (a >= 181 && a <= 269) return Round16(-(std::cos(DegreesToRadians(270 - a)) * r) + cx);
  if (a >= 271 && a <= 359) return Round16(std::cos(DegreesToRadians(a - 90)) * r + cx);
  return 0;
}

int32_t PolarY(const ClockState& state, int16_t angleOffset, int16_t percent) {
  const int a = PointDirection(state, angleOffset);
  const int16_t r = ScaledRadius(state, percent);
  const double cy = state.centerY;
  if (a == 0) return Sub32(state.centerY, r);
  if (a == 180) return Add32(state.centerY, r);
  if (a == 90 || a == 270) return state.centerY;
  if (a >= 1 && a <= 89) return Round32(-(std::sin(DegreesToRadians(90 - a)) * r) + cy);
  if (a >= 91 && a <= 179) return Round32(std::sin(DegreesToRadians(a - 90)) * r + cy);
  if (a >= 181 && a <= 269) return Round32(std::sin(DegreesToRadians(270 - a)) * r + cy);
  if (a >= 271 && a <= 359) return Round32(std::sin(DegreesToRadians(a - 90)) * r + cy);
  return 0;
}

void LineToPolar(ClockState& state, FaceCanvas& canvas, int16_t angleOffset, int16_t percent) {
  const int16_t x = PolarX(state, angleOffset, percent);
  const int32_t y = PolarY(state, angleOffset, percent);
  if (state.penX != 0 || state.penY != 0) canvas.Line(state.penX, state.penY, x, y);
  // penX first: a y beyond 16 bits fails after the line is drawn and penX has moved.
  state.penX = x;
  state.penY = Narrow16(y);
}

}  // namespace quarvel
