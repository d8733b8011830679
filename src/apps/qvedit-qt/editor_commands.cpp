// The editor's commands: what a click, a drag or a key on the face does, the fields, the
// dialogs, the skin folders, saving and closing. Each is one call into the model, then the
// widgets are shown afresh.
#include <filesystem>
#include <system_error>

#include "apps/qvedit-qt/clock_start.h"
#include "apps/qvedit-qt/editor_window.h"
#include "apps/qvedit-qt/face_view.h"
#include "apps/qvedit-qt/point_panel.h"
#include "apps/qvedit-qt/skin_panel.h"
#include "apps/qvedit-qt/time_panel.h"
#include "core/skineditor/clock_size.h"
#include "core/skineditor/dial_frame.h"
#include "core/skineditor/face_import.h"
#include "core/skineditor/face_time.h"
#include "core/skineditor/face_zoom.h"
#include "core/skineditor/skin_files.h"
#include "core/skineditor/skin_folder.h"

namespace quarvel {

namespace fs = std::filesystem;

namespace {
ScreenPoint At(QPoint at) {
  return {at.x(), at.y()};
}
}  // namespace

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

// What lies under the mouse is measured in screen pixels (face_zoom.h), so the reach is the
// same at every zoom.
void EditorWindow::PressFace(QPoint at) {
  const ClockState dial = face_.DialOf(hand_);
  const FaceZoom& zoom = faceView_->faceZoom();
  int point = PointAtScreen(zoom, dial, Points(), At(at));
  if (point < 0) {
    const int segment = SegmentAtScreen(zoom, dial, Points(), At(at));
    if (segment < 0) return;
    point = segment + 1;
    if (!editor_.InsertPoint(hand_, static_cast<std::size_t>(point),
                             PointFromScreen(zoom, dial, At(at)))) {
      notice_ = "A hand has at most 51 points, as the clock reads them.";
      ShowStatus();
      return;
    }
  }
  selected_ = point;
  editor_.BeginDrag();
  Edited(true);
}

void EditorWindow::DragFace(QPoint at) {
  if (selected_ < 0) return;
  const ShapePoint moved = PointFromScreen(faceView_->faceZoom(), face_.DialOf(hand_), At(at));
  if (!editor_.DragPoint(hand_, static_cast<std::size_t>(selected_), moved)) return;
  ShowPoints();
  ShowFace();
}

void EditorWindow::ReleaseFace() {
  editor_.EndDrag();
  ShowSkin();
}

void EditorWindow::RightClickFace(QPoint at) {
  const int point = PointAtScreen(faceView_->faceZoom(), face_.DialOf(hand_), Points(), At(at));
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
  Edited(editor_.NudgePoint(hand_, static_cast<std::size_t>(selected_), angleStep, percentStep));
}

void EditorWindow::SetZoom(Zoom zoom) {
  faceView_->SetZoom(zoom);
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

void EditorWindow::ApplySize(const QString& text) {
  const auto percent = ParseSize(text.toStdString());
  if (percent && *percent == editor_.document().sizePercent) {
    ShowSkin();  // "150" typed shows as "150 %"
    return;
  }
  if (!percent || !editor_.SetSizePercent(*percent)) notice_ = kSizeLimitNotice;
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

// A face from outside the skin folder is copied into it at the save and named plainly, so the
// skin folder can be copied whole; nothing on disk changes before.
void EditorWindow::ChooseBitmap() {
  const auto picked = dialogs_->PickBitmap(this, folderPath_);
  if (!picked) return;
  std::string problem;
  if (OpenFacePicture(slot_, *picked, problem).empty()) {
    dialogs_->ShowProblem(
        this, problem + "\n\nThe clock can't draw this file; the face stays as it was.");
    return;
  }
  const std::string name = PickedFaceName(folderPath_, *picked);
  Edited(editor_.SetBitmapName(name));
  if (fs::path(name).has_root_path()) notice_ = kFaceCopiedAtSave;
  ShowStatus();
}

void EditorWindow::Undo() {
  Edited(editor_.Undo());
}

void EditorWindow::Redo() {
  Edited(editor_.Redo());
}

// --- Skin folders. ---

// The default skin is built into the editor, so it is the one shipped whatever was saved.
void EditorWindow::NewSkin() {
  if (!MayLeaveSkin("opening another skin")) return;
  const auto folder = dialogs_->PickFolder(this, "Pick an empty folder for the new skin",
                                           fs::path(folderPath_).parent_path().string());
  if (!folder) return;
  const FolderOutcome made = NewSkinFolder(*folder);
  if (!made.done) {
    dialogs_->ShowProblem(this, "No new skin was made.\n\n" + made.message);
    return;
  }
  if (SwitchToFolder(*folder)) notice_ = "A new skin, from the default skin.";
  ShowStatus();
}

void EditorWindow::OpenSkinFolder() {
  if (!MayLeaveSkin("opening another skin")) return;
  if (const auto folder = dialogs_->PickFolder(this, "Open the skin in this folder",
                                               fs::path(folderPath_).parent_path().string()))
    SwitchToFolder(*folder);
}

// The copy is the skin from now on: the next save and the clock started go there.
void EditorWindow::SaveCopy() {
  skin_->CommitTyped();  // a width typed but not yet applied
  const auto folder = dialogs_->PickFolder(this, "Save a copy of the skin into this folder",
                                           fs::path(folderPath_).parent_path().string());
  if (!folder) return;
  const FolderOutcome copied =
      SaveSkinCopy(editor_.document(), folderPath_, *folder, face_.width());
  if (!copied.done) {
    dialogs_->ShowProblem(this, "No copy was saved.\n\n" + copied.message);
    return;
  }
  if (SwitchToFolder(*folder)) notice_ = "Saved a copy; you are editing the copy.";
  ShowStatus();
}

// The editor works in the skin's folder, as the clock does: its files are bare names there,
// and the clock started from here inherits it.
bool EditorWindow::SwitchToFolder(const std::string& folder) {
  std::error_code ec;
  fs::current_path(folder, ec);
  if (ec) {
    dialogs_->ShowProblem(this, "\"" + folder + "\" can't be opened: " + ec.message() + ".");
    return false;
  }
  ReportOpenProblems(OpenCurrentFolder());
  OfferRecovery();
  return true;
}

// Unsaved changes are asked about before anything takes their place; the edits kept for this
// folder go with them, saved or dropped as the author says. A question the editor's end cut
// short is no answer.
bool EditorWindow::MayLeaveSkin(const char* doing) {
  const bool may = quarvel::MayLeaveSkin(
      editor_,
      [&] {
        const CloseChoice choice = dialogs_->AskBeforeLeaving(this, doing);
        return ending_ ? CloseChoice::kStay : choice;
      },
      [this] { return Save(); });
  if (may) recovery_.Drop(folderPath_);
  return may;
}

// --- Saving. ---

bool EditorWindow::Save() {
  skin_->CommitTyped();  // a width typed but not yet applied
  const SaveOutcome outcome = SaveSkin(slot_, editor_.document(), face_.width(), onDisk_);
  if (!outcome.saved) {
    dialogs_->ShowProblem(this, "The skin was not saved.\n\n" + outcome.message);
    return false;
  }
  editor_.MarkSaved(onDisk_.document);
  recovery_.Drop(folderPath_);
  notice_ = "Saved." + (outcome.message.empty() ? "" : " " + outcome.message);
  ShowSkin();  // a face picked elsewhere has its name in the skin folder now
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
