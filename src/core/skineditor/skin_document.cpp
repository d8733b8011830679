#include "core/skineditor/skin_document.h"

#include <algorithm>

#include "core/skin/hand_shapes.h"

namespace quarvel {

const char* HandFileName(HandId hand) {
  switch (hand) {
    case HandId::kHour:
      return kHourHandFile;
    case HandId::kMinute:
      return kMinuteHandFile;
    case HandId::kSecond:
      break;
  }
  return kSecondHandFile;
}

const char* HandName(HandId hand) {
  switch (hand) {
    case HandId::kHour:
      return "hour hand";
    case HandId::kMinute:
      return "minute hand";
    case HandId::kSecond:
      break;
  }
  return "second hand";
}

HandShape ToHandShape(const HandDraft& hand) {
  HandShape shape;
  const std::size_t count = std::min<std::size_t>(hand.points.size(), HandShape::kCapacity);
  std::copy_n(hand.points.begin(), count, shape.points.begin());
  shape.pointCount = static_cast<int16_t>(count);
  return shape;
}

}  // namespace quarvel
