#include "core/skineditor/dial_frame.h"

#include <cmath>
#include <limits>

#include "core/clockface/dial_geometry.h"
#include "core/clockface/face_redraw.h"
#include "runtime/checked_math.h"
#include "runtime/runtime_error.h"

namespace quarvel {

HandPositions PositionsAt(TimeOfDay time) {
  StoppedClock clock(time);
  return {HourPosition(clock, kFaceHourDivisor), static_cast<int16_t>(time.minutes),
          static_cast<int16_t>(time.seconds)};
}

ClockState DialFor(int32_t faceWidth, int16_t position) {
  // As RedrawFace measures its canvas, which the clock makes a square as wide as the face.
  ClockState dial;
  const int32_t center = Round32(static_cast<float>(faceWidth) / 2.0);
  dial.centerX = center;
  dial.centerY = center;
  dial.radius = Sub32(center, 20);
  SetHand(dial, position, 100);
  return dial;
}

std::optional<ScreenPoint> PointPixel(const ClockState& dial, ShapePoint point) {
  try {
    const int16_t angle = Narrow16(point.angleOffset);
    const int16_t percent = Narrow16(point.radiusPercent);
    const int16_t x = PolarX(dial, angle, percent);
    // LineToPolar narrows y too, once the point is drawn.
    return ScreenPoint{x, Narrow16(PolarY(dial, angle, percent))};
  } catch (const RuntimeError&) {
    return std::nullopt;
  }
}

namespace {
double Distance2(double x1, double y1, double x2, double y2) {
  return (x2 - x1) * (x2 - x1) + (y2 - y1) * (y2 - y1);
}
}  // namespace

ShapePoint PointFromPixel(const ClockState& dial, int x, int y) {
  // First guess from plain trigonometry (0 degrees up, clockwise), then the neighbours that the
  // clock's own rows (its 3.14 and its rounding) put nearer to the pixel.
  const double dx = x - dial.centerX, dy = dial.centerY - y;
  const double pi = std::acos(-1.0);
  const double direction = std::atan2(dx, dy) * 180 / pi;
  double offset = std::fmod(direction - dial.handAngle + 720.0, 360.0);
  if (offset >= 180) offset -= 360;
  const double percent = dial.radius > 0 ? std::hypot(dx, dy) * 100 / dial.radius : 0;
  const ShapePoint guess{static_cast<int32_t>(std::lround(offset)),
                         static_cast<int32_t>(std::lround(std::min(percent, 30000.0)))};
  ShapePoint best = guess;
  double bestDistance = std::numeric_limits<double>::max();
  for (int da = -2; da <= 2; ++da) {
    for (int dp = -2; dp <= 2; ++dp) {
      ShapePoint candidate{guess.angleOffset + da, guess.radiusPercent + dp};
      if (candidate.radiusPercent < 0) continue;
      if (candidate.angleOffset < -180) candidate.angleOffset += 360;
      if (candidate.angleOffset > 179) candidate.angleOffset -= 360;
      const auto pixel = PointPixel(dial, candidate);
      if (!pixel) continue;
      // Ties keep the guess's neighbourhood order: the smallest change from the guess wins.
      const double d = Distance2(pixel->x, pixel->y, x, y) + (da * da + dp * dp) * 1e-6;
      if (d < bestDistance) {
        bestDistance = d;
        best = candidate;
      }
    }
  }
  return best;
}

}  // namespace quarvel
