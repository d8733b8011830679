#pragma once
// The edits an author makes to a skin, each one step of undo and redo, and whether the skin
// differs from what was last opened or saved. An edit that would break a limit the clock reads
// by (51 points, a pen of 1 to 32767 pixels, a size of 50 to 400 %) is refused and changes nothing.
//
// With the symmetric switch on, a point and its mirror (the same percent at the negative angle)
// are set, dragged, nudged, inserted and deleted together, in one step. Switching it on changes
// nothing by itself; a point with no mirror in the hand (on the axis, or in an asymmetric hand)
// is edited alone.
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "core/skineditor/skin_document.h"

namespace quarvel {

class SkinEditor {
 public:
  explicit SkinEditor(SkinDocument opened);

  const SkinDocument& document() const { return current_; }
  // Undoing back to the saved skin counts as unchanged.
  bool HasUnsavedChanges() const { return current_ != saved_; }
  void MarkSaved() { saved_ = current_; }
  // After a save that wrote `written` (a face picked elsewhere now named in the skin folder):
  // that is the skin now, unchanged; undo still goes back through the edits before it.
  void MarkSaved(const SkinDocument& written) { current_ = saved_ = written; }

  // Each returns whether the skin changed; an edit to the value already there is no step.
  bool SetColor(HandId hand, ColorRef color);
  bool InsertPoint(HandId hand, std::size_t index, ShapePoint point);
  bool DeletePoint(HandId hand, std::size_t index);
  bool SetPoint(HandId hand, std::size_t index, ShapePoint point);
  bool SetBitmapName(const std::string& name);
  bool SetPenWidth(int32_t width);
  // 0 (the screen's scale) or a size the clock takes: kMinSizePercent..kMaxSizePercent.
  bool SetSizePercent(int32_t percent);
  // The options as a whole, one step (values the options file takes: see clock_options.h).
  bool SetOptions(const ClockOptions& options);
  // Moves a point by whole degrees and percent: the angle turns round within -180..179, the
  // percent stays within 0..32767.
  bool NudgePoint(HandId hand, std::size_t index, int32_t degrees, int32_t percent);
  // Puts edits kept from an earlier run in place of the skin shown, as one step: unsaved until
  // a save, and undone back to the skin as opened.
  bool Restore(const SkinDocument& kept) { return Commit(kept); }

  void SetSymmetric(bool on) { symmetric_ = on; }
  bool symmetric() const { return symmetric_; }
  // The index of the point's mirror in the hand, or -1: the other point at the negative angle
  // with the same percent, the one nearest its mirrored place in the outline.
  static int MirrorOf(const std::vector<ShapePoint>& points, std::size_t index);

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
  // Sets point `index` (and with the switch on its mirror) in `next`, from `before`.
  void Place(const SkinDocument& before, SkinDocument& next, HandId hand, std::size_t index,
             ShapePoint point) const;

  SkinDocument current_;
  SkinDocument saved_;
  std::vector<SkinDocument> undo_;
  std::vector<SkinDocument> redo_;
  std::optional<SkinDocument> dragStart_;
  bool symmetric_ = false;
};

}  // namespace quarvel
