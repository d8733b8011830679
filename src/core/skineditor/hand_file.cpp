#include "core/skineditor/hand_file.h"

#include "core/skin/hand_shapes.h"

namespace quarvel {

std::string HandFileText(const HandDraft& hand) {
  std::string text = std::to_string(hand.color) + "\r\n";
  for (const ShapePoint& point : hand.points)
    text += std::to_string(point.angleOffset) + "," + std::to_string(point.radiusPercent) + "\r\n";
  return text;
}

HandDraft ReadHandFile(FileSlot& slot, const char* fileName, std::string& problem, bool* missing) {
  HandDraft hand;
  HandShape shape;
  problem.clear();
  if (missing != nullptr) *missing = false;
  try {
    LoadHandShape(slot, fileName, hand.color, shape);
  } catch (const RuntimeError& error) {
    problem = error.what();
    if (missing != nullptr)
      *missing = error.number() == static_cast<int>(ErrorNumber::kFileNotFound);
  }
  // The loader counts a point only once both its values are read, so this is what it read.
  hand.points.assign(shape.points.begin(), shape.points.begin() + shape.pointCount);
  return hand;
}

}  // namespace quarvel
