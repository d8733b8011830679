// The editor's commands: what a click, a drag or a key on the face does, the fields, the
// dialogs, saving and closing. Each is one call into the model, then the widgets are shown
// afresh.
#include <QComboBox>
#include <algorithm>
#include <cmath>
#include <filesystem>

#include "apps/qvedit-qt/clock_start.h"
#include "apps/qvedit-qt/editor_window.h"
#include "apps/qvedit-qt/face_view.h"
#include "apps/qvedit-qt/point_panel.h"
#include "apps/qvedit-qt/skin_panel.h"
#include "apps/qvedit-qt/time_panel.h"
#include "skineditor/dial_frame.h"
#include "skineditor/face_import.h"
#include "skineditor/face_time.h"
#include "skineditor/skin_files.h"

namespace quarvel {

namespace {
constexpr int kPointReach = 6;    // screen pixels from a point that still grab it
constexpr int kOutlineReach = 4;  // screen pixels from the outline that insert a point on it
}  // namespace

// The reach of the mouse in face pixels: the same on the screen at every zoom.
int EditorWindow::Reach(int screenPixels) const {
  return std::max(1, static_cast<int>(std::lround(screenPixels / faceView_->Scale())));
}

void EditorWindow::ChooseHand(HandId hand) {
  if (hand == hand_) return;
  hand_ = hand;
  selected_ = -1;
  ShowSkin();
}

void EditorWindow::Select(int point) {
  if (point == selected_) return;
  selected_ = point;
  ShowPoints();
  ShowFace();
}

void EditorWindow::Edited(bool changed) {
  if (changed) notice_.clear();
  ShowSkin();
}

// --- The face: grab a point and drag it, or click the outline to put a new point there. ---

void EditorWindow::PressFace(QPoint pixel) {
  const ClockState dial = face_.DialOf(hand_);
  int point = PointAt(dial, Points(), pixel.x(), pixel.y(), Reach(kPointReach));
  if (point < 0) {
    const int segment = SegmentAt(dial, Points(), pixel.x(), pixel.y(), Reach(kOutlineReach));
    if (segment < 0) return;
    point = segment + 1;
    if (!editor_.InsertPoint(hand_, static_cast<std::size_t>(point),
                             PointFromPixel(dial, pixel.x(), pixel.y()))) {
      notice_ = "A hand has at most 51 points, as the clock reads them.";
      ShowStatus();
      return;
    }
  }
  selected_ = point;
  editor_.BeginDrag();
  Edited(true);
}

void EditorWindow::DragFace(QPoint pixel) {
  if (selected_ < 0) return;
  const ShapePoint moved = PointFromPixel(face_.DialOf(hand_), pixel.x(), pixel.y());
  if (!editor_.DragPoint(hand_, static_cast<std::size_t>(selected_), moved)) return;
  ShowPoints();
  ShowFace();
}

void EditorWindow::ReleaseFace() {
  editor_.EndDrag();
  ShowSkin();
}

void EditorWindow::RightClickFace(QPoint pixel) {
  const int point =
      PointAt(face_.DialOf(hand_), Points(), pixel.x(), pixel.y(), Reach(kPointReach));
  if (point < 0) return;
  selected_ = point;
  DeleteSelected();
}

void EditorWindow::DeleteSelected() {
  if (selected_ < 0) return;
  Edited(editor_.DeletePoint(hand_, static_cast<std::size_t>(selected_)));
}

void EditorWindow::Nudge(int angleStep, int percentStep) {
  if (selected_ < 0) return;
  ShapePoint point = Points()[static_cast<std::size_t>(selected_)];
  point.angleOffset += angleStep;
  point.radiusPercent += percentStep;
  Edited(editor_.SetPoint(hand_, static_cast<std::size_t>(selected_), point));
}

// --- Fields and dialogs. ---

void EditorWindow::ApplyPointFields(bool insert) {
  const auto point = points_->Typed();
  if (!point) {
    notice_ = "Angle and percent are whole numbers.";
    ShowStatus();
    return;
  }
  if (!insert) {
    if (selected_ >= 0)
      Edited(editor_.SetPoint(hand_, static_cast<std::size_t>(selected_), *point));
    return;
  }
  const std::size_t at = selected_ >= 0 ? static_cast<std::size_t>(selected_) + 1 : Points().size();
  if (editor_.InsertPoint(hand_, at, *point)) {
    selected_ = static_cast<int>(at);
    Edited(true);
  }
}

void EditorWindow::ApplyPenWidth(int width) {
  if (width == editor_.document().penWidth) return;
  if (!editor_.SetPenWidth(width)) notice_ = "The pen is 1 to 32767 pixels wide.";
  Edited(false);
}

void EditorWindow::ApplyTime() {
  const auto time = ParseTimeOfDay(time_->Typed().toStdString());
  if (!time) {
    notice_ = "The time is H:MM:SS, from 0:00:00 to 23:59:59.";
    ShowStatus();
    return;
  }
  stoppedAt_ = *time;
  ShowFace();
}

void EditorWindow::ChooseColour() {
  if (const auto colour = dialogs_->PickColour(this, editor_.document().hand(hand_).color))
    Edited(editor_.SetColor(hand_, *colour));
}

// A face from outside the skin folder is copied into it and named plainly, so the skin folder
// can be copied whole; the status says what happened.
void EditorWindow::ChooseBitmap() {
  const auto picked = dialogs_->PickBitmap(this, folderPath_);
  if (!picked) return;
  std::string problem;
  if (OpenFacePicture(slot_, *picked, problem).empty()) {
    dialogs_->ShowProblem(
        this, problem + "\n\nThe clock can't draw this file; the face stays as it was.");
    return;
  }
  const FaceImport face = BringFaceIntoSkin(folderPath_, *picked);
  if (face.outcome == FaceImport::Outcome::kFailed) {
    dialogs_->ShowProblem(this, face.message);
    return;
  }
  Edited(editor_.SetBitmapName(face.name));
  notice_ = face.message;
  ShowStatus();
}

void EditorWindow::Undo() {
  Edited(editor_.Undo());
}

void EditorWindow::Redo() {
  Edited(editor_.Redo());
}

// --- Saving. ---

bool EditorWindow::Save() {
  skin_->CommitTyped();  // a width typed but not yet applied
  const SaveOutcome outcome = SaveSkin(slot_, editor_.document(), face_.width());
  if (!outcome.saved) {
    dialogs_->ShowProblem(this, "The skin was not saved.\n\n" + outcome.message);
    return false;
  }
  editor_.MarkSaved();
  notice_ = "Saved.";
  ShowStatus();
  return true;
}

void EditorWindow::SaveAndStartClock() {
  if (!Save()) return;
  const std::string problem = StartClockBesideEditor();
  if (!problem.empty()) {
    dialogs_->ShowProblem(this, "The skin is saved, but " + problem);
    return;
  }
  closing_ = true;
  close();
}

}  // namespace quarvel
