#pragma once
// Dial geometry: turns hand-relative polar points into drawing coordinates and joins them with
// lines. The arithmetic is exact on purpose: the constant 3.14 (not pi), the per-quadrant rows
// and the ties-to-even rounding decide which pixels a hand covers, and every sum and narrowing
// raises the overflow error instead of wrapping.
#include <cstdint>

#include "core/clockface/clock_state.h"
#include "core/clockface/face_canvas.h"

namespace quarvel {

// Degrees to radians with the clock's own constant: (d x 3.14) / 180, multiplying first.
double DegreesToRadians(int32_t degrees);

// Fixes the direction of the next hand from its position on the 60-tick dial, and rescales
// `radius` by percent (divide first, then multiply; it stays rescaled). A position outside
// 0..59 keeps the previous direction.
void SetHand(ClockState& state, int16_t position, int16_t percent);

// The direction of a point, 0..359, or a value outside that range for sums beyond -360..719.
int16_t PointDirection(const ClockState& state, int16_t angleOffset);

// The radius of a point: `radius` x percent / 100, rounded to 16 bits.
int16_t ScaledRadius(const ClockState& state, int16_t percent);

int16_t PolarX(const ClockState& state, int16_t angleOffset, int16_t percent);
int32_t PolarY(const ClockState& state, int16_t angleOffset, int16_t percent);

// Moves the pen to a point, drawing a line from the previous point when the pen is down. A
// point that comes out as (0, 0) leaves the pen up, so the next point starts a new polyline.
void LineToPolar(ClockState& state, FaceCanvas& canvas, int16_t angleOffset, int16_t percent);

}  // namespace quarvel
