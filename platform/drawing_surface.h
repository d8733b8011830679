#pragma once
// What the face drawing needs from a window: clear back to the background picture, a fore
// colour, a pen width, straight lines, and the size of the drawing area in pixels.
#include <cstdint>

#include "platform/platform_types.h"

namespace quarvel {

class DrawingSurface {
 public:
  virtual ~DrawingSurface() = default;

  // Wipes the run-time drawing; the background picture shows again.
  virtual void Cls() = 0;
  virtual void SetForeColor(ColorRef color) = 0;
  // Pen width in pixels. A width below 1 is refused with the invalid property value error and
  // the old width stays.
  virtual void SetDrawWidth(int16_t width) = 0;
  virtual int16_t DrawWidth() const = 0;
  // A straight line in the fore colour and pen width.
  virtual void Line(int32_t x1, int32_t y1, int32_t x2, int32_t y2) = 0;
  virtual float ScaleWidth() const = 0;
  virtual float ScaleHeight() const = 0;
};

}  // namespace quarvel
