#include "skineditor/skin_editor.h"

#include <limits>
#include <utility>

namespace quarvel {

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
  if (index > points.size() || points.size() >= static_cast<std::size_t>(HandShape::kCapacity))
    return false;
  SkinDocument next = current_;
  auto& nextPoints = next.hand(hand).points;
  nextPoints.insert(nextPoints.begin() + static_cast<std::ptrdiff_t>(index), point);
  return Commit(next);
}

bool SkinEditor::DeletePoint(HandId hand, std::size_t index) {
  if (index >= current_.hand(hand).points.size()) return false;
  SkinDocument next = current_;
  auto& points = next.hand(hand).points;
  points.erase(points.begin() + static_cast<std::ptrdiff_t>(index));
  return Commit(next);
}

bool SkinEditor::SetPoint(HandId hand, std::size_t index, ShapePoint point) {
  if (index >= current_.hand(hand).points.size()) return false;
  SkinDocument next = current_;
  next.hand(hand).points[index] = point;
  return Commit(next);
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

void SkinEditor::BeginDrag() {
  dragStart_ = current_;
}

bool SkinEditor::DragPoint(HandId hand, std::size_t index, ShapePoint point) {
  if (!dragStart_ || index >= current_.hand(hand).points.size()) return false;
  ShapePoint& moved = current_.hand(hand).points[index];
  if (moved == point) return false;
  moved = point;
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
