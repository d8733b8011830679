#include "core/skineditor/skin_editor.h"

#include <algorithm>
#include <cstdlib>
#include <limits>
#include <utility>

#include "core/clockface/face_scale.h"

namespace quarvel {

namespace {
// An angle as a direction, within -180..179.
int32_t Turned(int64_t degrees) {
  return static_cast<int32_t>(((degrees + 180) % 360 + 360) % 360 - 180);
}

// A point on the hand's axis (straight ahead or straight back) is its own mirror.
bool OnAxis(ShapePoint point) {
  return Turned(point.angleOffset) == Turned(-int64_t{point.angleOffset});
}

ShapePoint Mirrored(ShapePoint point) {
  return {-point.angleOffset, point.radiusPercent};
}
}  // namespace

int SkinEditor::MirrorOf(const std::vector<ShapePoint>& points, std::size_t index) {
  if (index >= points.size() || OnAxis(points[index])) return -1;
  const ShapePoint mirror = Mirrored(points[index]);
  const auto mirroredPlace = static_cast<long>(points.size() - 1 - index);
  int found = -1;
  for (std::size_t j = 0; j < points.size(); ++j) {
    if (j == index || Turned(points[j].angleOffset) != Turned(mirror.angleOffset) ||
        points[j].radiusPercent != mirror.radiusPercent)
      continue;
    if (found < 0 || std::labs(static_cast<long>(j) - mirroredPlace) <
                         std::labs(static_cast<long>(found) - mirroredPlace))
      found = static_cast<int>(j);
  }
  return found;
}

void SkinEditor::Place(const SkinDocument& before, SkinDocument& next, HandId hand,
                       std::size_t index, ShapePoint point) const {
  auto& points = next.hand(hand).points;
  points[index] = point;
  if (!symmetric_) return;
  const int mirror = MirrorOf(before.hand(hand).points, index);
  if (mirror >= 0) points[static_cast<std::size_t>(mirror)] = Mirrored(point);
}

SkinEditor::SkinEditor(SkinDocument opened) : current_(opened), saved_(std::move(opened)) {}

bool SkinEditor::Commit(const SkinDocument& next) {
  if (next == current_) return false;
  undo_.push_back(current_);
  redo_.clear();
  current_ = next;
  return true;
}

bool SkinEditor::SetColor(HandId hand, ColorRef color) {
  SkinDocument next = current_;
  next.hand(hand).color = color;
  return Commit(next);
}

bool SkinEditor::InsertPoint(HandId hand, std::size_t index, ShapePoint point) {
  const std::vector<ShapePoint>& points = current_.hand(hand).points;
  const bool paired = symmetric_ && !OnAxis(point);
  const std::size_t room = static_cast<std::size_t>(HandShape::kCapacity) - (paired ? 1 : 0);
  if (index > points.size() || points.size() >= room) return false;
  SkinDocument next = current_;
  auto& nextPoints = next.hand(hand).points;
  if (!paired) {
    nextPoints.insert(nextPoints.begin() + static_cast<std::ptrdiff_t>(index), point);
    return Commit(next);
  }
  // The mirror goes into the mirrored gap: between the mirrors of the new point's neighbours (a
  // point on the axis mirrors itself), or, when they have none, at the mirrored place.
  const auto mirrorPlace = [&](std::size_t i) {
    return OnAxis(points[i]) ? static_cast<int>(i) : MirrorOf(points, i);
  };
  const int left = index > 0 ? mirrorPlace(index - 1) : -1;
  const int right = index < points.size() ? mirrorPlace(index) : -1;
  std::size_t mirrorAt = points.size() - index;
  if (left >= 0 && right >= 0 && std::abs(left - right) == 1)
    mirrorAt = static_cast<std::size_t>(std::max(left, right));
  else if (left >= 0 && right < 0 && index == points.size())
    mirrorAt = static_cast<std::size_t>(left);
  else if (right >= 0 && left < 0 && index == 0)
    mirrorAt = static_cast<std::size_t>(right) + 1;
  // Both into the old list's gaps, the later gap first; in one gap, the point that turns the
  // way its left neighbour does comes first.
  bool pointFirst = index < mirrorAt;
  if (index == mirrorAt)
    pointFirst = index == 0 || (points[index - 1].angleOffset > 0) == (point.angleOffset > 0);
  const ShapePoint mirror = Mirrored(point);
  if (pointFirst) {
    nextPoints.insert(nextPoints.begin() + static_cast<std::ptrdiff_t>(mirrorAt), mirror);
    nextPoints.insert(nextPoints.begin() + static_cast<std::ptrdiff_t>(index), point);
  } else {
    nextPoints.insert(nextPoints.begin() + static_cast<std::ptrdiff_t>(index), point);
    nextPoints.insert(nextPoints.begin() + static_cast<std::ptrdiff_t>(mirrorAt), mirror);
  }
  return Commit(next);
}

bool SkinEditor::DeletePoint(HandId hand, std::size_t index) {
  if (index >= current_.hand(hand).points.size()) return false;
  SkinDocument next = current_;
  auto& points = next.hand(hand).points;
  const int mirror = symmetric_ ? MirrorOf(points, index) : -1;
  const std::size_t later =
      mirror > static_cast<int>(index) ? static_cast<std::size_t>(mirror) : index;
  const std::size_t earlier = mirror >= 0 && static_cast<std::size_t>(mirror) < index
                                  ? static_cast<std::size_t>(mirror)
                                  : index;
  points.erase(points.begin() + static_cast<std::ptrdiff_t>(later));
  if (earlier != later) points.erase(points.begin() + static_cast<std::ptrdiff_t>(earlier));
  return Commit(next);
}

bool SkinEditor::SetPoint(HandId hand, std::size_t index, ShapePoint point) {
  if (index >= current_.hand(hand).points.size()) return false;
  SkinDocument next = current_;
  Place(current_, next, hand, index, point);
  return Commit(next);
}

bool SkinEditor::NudgePoint(HandId hand, std::size_t index, int32_t degrees, int32_t percent) {
  if (index >= current_.hand(hand).points.size()) return false;
  const ShapePoint was = current_.hand(hand).points[index];
  const ShapePoint moved{
      Turned(int64_t{was.angleOffset} + degrees),
      static_cast<int32_t>(std::clamp<int64_t>(int64_t{was.radiusPercent} + percent, 0,
                                               std::numeric_limits<int16_t>::max()))};
  return SetPoint(hand, index, moved);
}

bool SkinEditor::SetBitmapName(const std::string& name) {
  SkinDocument next = current_;
  next.bitmapName = name;
  return Commit(next);
}

bool SkinEditor::SetPenWidth(int32_t width) {
  if (width < 1 || width > std::numeric_limits<int16_t>::max()) return false;
  SkinDocument next = current_;
  next.penWidth = static_cast<int16_t>(width);
  return Commit(next);
}

bool SkinEditor::SetOptions(const ClockOptions& options) {
  SkinDocument next = current_;
  next.options = options;
  return Commit(next);
}

bool SkinEditor::SetSizePercent(int32_t percent) {
  if (percent != 0 && !IsSizePercent(percent)) return false;
  SkinDocument next = current_;
  next.sizePercent = static_cast<int16_t>(percent);
  return Commit(next);
}

void SkinEditor::BeginDrag() {
  dragStart_ = current_;
}

bool SkinEditor::DragPoint(HandId hand, std::size_t index, ShapePoint point) {
  if (!dragStart_ || index >= current_.hand(hand).points.size()) return false;
  if (current_.hand(hand).points[index] == point) return false;
  // The mirror is the one the point had when the drag began.
  Place(*dragStart_, current_, hand, index, point);
  return true;
}

void SkinEditor::EndDrag() {
  if (!dragStart_) return;
  if (*dragStart_ != current_) {
    undo_.push_back(std::move(*dragStart_));
    redo_.clear();
  }
  dragStart_.reset();
}

bool SkinEditor::Undo() {
  if (undo_.empty() || dragStart_) return false;
  redo_.push_back(std::move(current_));
  current_ = std::move(undo_.back());
  undo_.pop_back();
  return true;
}

bool SkinEditor::Redo() {
  if (redo_.empty() || dragStart_) return false;
  undo_.push_back(std::move(current_));
  current_ = std::move(redo_.back());
  redo_.pop_back();
  return true;
}

}  // namespace quarvel
