#pragma once
// Where a hand's points land on the face, and back: the clock's own dial geometry (PolarX,
// PolarY) for the editor's hit tests, and the inverse, from a face pixel to the (angle offset,
// percent) that lands nearest to it, for dragging and inserting points.
#include <cstdint>
#include <optional>
#include <vector>

#include "core/clockface/clock_state.h"
#include "platform/clock.h"

namespace quarvel {

// Each hand's place on the 60-tick dial at a time, as the face redraw reads it.
struct HandPositions {
  int16_t hour = 0;
  int16_t minute = 0;
  int16_t second = 0;
};
HandPositions PositionsAt(TimeOfDay time);

// The dial as the face redraw measures it on a square face `faceWidth` across, turned to a hand
// at `position`, with the pen up.
ClockState DialFor(int32_t faceWidth, int16_t position);

// The pixel a point is drawn at, or nothing when the clock's 16-bit arithmetic overflows on it.
std::optional<ScreenPoint> PointPixel(const ClockState& dial, ShapePoint point);

// The point whose pixel lies nearest to (x, y): the angle offset from the hand's direction in
// -180..179, the distance in whole percent of the dial radius.
ShapePoint PointFromPixel(const ClockState& dial, int x, int y);

}  // namespace quarvel
