#include "core/skin/hand_shapes.h"

#include <cstdint>
#include <string>

#include "runtime/checked_math.h"
#include "runtime/runtime_error.h"

namespace quarvel {

namespace {
struct SlotCloser {
  FileSlot& slot;
  ~SlotCloser() { slot.Close(); }
};

// A point's values are kept in 32 bits but drawn in 16: one that can't be drawn is refused here,
// with its line, and not at every redraw.
int32_t ReadDrawableValue(ListReader& in, const char* fileName) {
  const int32_t value = in.ReadInt32();
  if (value < INT16_MIN || value > INT16_MAX)
    throw RuntimeError(ErrorNumber::kOverflow, fileName, "line " + std::to_string(in.fieldLine()));
  return value;
}
}  // namespace

void LoadHandShape(FileSlot& slot, const char* fileName, ColorRef& color, HandShape& shape) {
  ListReader& in = slot.OpenForInput(fileName);
  SlotCloser closer{slot};
  shape.pointCount = 0;
  color = in.ReadInt32();
  // The end test comes before each pair, never inside one: a file must end right after a
  // completed pair (or its one line break), or the next pair's read fails.
  while (!in.AtEnd()) {
    if (shape.pointCount < 0 || shape.pointCount > HandShape::kCapacity - 1)
      throw RuntimeError(ErrorNumber::kSubscriptOutOfRange, fileName,
                         "pair " + std::to_string(shape.pointCount + 1));
    ShapePoint& point = shape.points[static_cast<std::size_t>(shape.pointCount)];
    point.angleOffset = ReadDrawableValue(in, fileName);
    point.radiusPercent = ReadDrawableValue(in, fileName);
    shape.pointCount = Add16(shape.pointCount, 1);
  }
}

void LoadHandShapes(ClockState& state, FileSlot& slot) {
  LoadHandShape(slot, kMinuteHandFile, state.minuteColor, state.minuteShape);
  LoadHandShape(slot, kHourHandFile, state.hourColor, state.hourShape);
  LoadHandShape(slot, kSecondHandFile, state.secondColor, state.secondShape);
}

}  // namespace quarvel
