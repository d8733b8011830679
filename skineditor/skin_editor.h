#pragma once
// The edits an author makes to a skin, each one step of undo and redo, and whether the skin
// differs from what was last opened or saved. An edit that would break a limit the clock reads
// by (51 points, a pen of 1 to 32767 pixels) is refused and changes nothing.
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "skineditor/skin_document.h"

namespace quarvel {

class SkinEditor {
 public:
  explicit SkinEditor(SkinDocument opened);

  const SkinDocument& document() const { return current_; }
  // Undoing back to the saved skin counts as unchanged.
  bool HasUnsavedChanges() const { return current_ != saved_; }
  void MarkSaved() { saved_ = current_; }

  // Each returns whether the skin changed; an edit to the value already there is no step.
  bool SetColor(HandId hand, ColorRef color);
  bool InsertPoint(HandId hand, std::size_t index, ShapePoint point);
  bool DeletePoint(HandId hand, std::size_t index);
  bool SetPoint(HandId hand, std::size_t index, ShapePoint point);
  bool SetBitmapName(const std::string& name);
  bool SetPenWidth(int32_t width);

  // A drag moves one point many times and is undone in one step.
  void BeginDrag();
  bool DragPoint(HandId hand, std::size_t index, ShapePoint point);
  void EndDrag();

  bool CanUndo() const { return !undo_.empty(); }
  bool CanRedo() const { return !redo_.empty(); }
  bool Undo();
  bool Redo();

 private:
  bool Commit(const SkinDocument& next);

  SkinDocument current_;
  SkinDocument saved_;
  std::vector<SkinDocument> undo_;
  std::vector<SkinDocument> redo_;
  std::optional<SkinDocument> dragStart_;
};

}  // namespace quarvel
