// The session's edits of the hands and the face's time, and what the window shows of them. Each
// command is one call into the model; the window is then shown afresh as far as it changed.
#include <filesystem>

#include "core/skineditor/clock_size.h"
#include "core/skineditor/editor_session.h"
#include "core/skineditor/face_import.h"
#include "core/skineditor/face_time.h"
#include "core/skineditor/session_messages.h"
#include "core/skineditor/skin_folder.h"

namespace quarvel {

void EditorSession::Show(Redraw what) {
  const int count = static_cast<int>(Points().size());
  if (selected_ >= count) selected_ = count - 1;
  switch (what) {
    case Redraw::kSkin:
      return host_.ShowSkin();
    case Redraw::kPoints:
      host_.ShowPoints();
      return host_.ShowFace();
    case Redraw::kFace:
      return host_.ShowFace();
    case Redraw::kStatus:
      return host_.ShowStatus();
  }
}

void EditorSession::Notice(const std::string& text) {
  notice_ = text;
  Show(Redraw::kStatus);
}

void EditorSession::Edited(bool changed) {
  if (changed) notice_.clear();
  Show(Redraw::kSkin);
}

bool EditorSession::LoadFacePicture() {
  const SkinDocument& skin = document();
  if (skin.bitmapName == faceBitmap_) return false;
  std::string problem;
  face_.SetPicture(OpenFacePicture(slot_, skin.bitmapName, problem));
  faceBitmap_ = skin.bitmapName;
  if (!problem.empty()) notice_ = problem + messages::kPlainFace;
  return true;
}

EditorSession::DrawnFace EditorSession::DrawFace() {
  TimeOfDay time = clock_.Now();
  // A face stopped at a time shows today's date under it, as the clock would.
  if (stoppedAt_)
    time = {stoppedAt_->hours, stoppedAt_->minutes, stoppedAt_->seconds, 0, time.dayOfMonth};
  drawProblem_ = face_.Draw(document(), time);
  shownSecond_ = time.seconds;
  return {face_.WithGuide(document(), hand_, selected_, false), time};
}

bool EditorSession::SecondChanged() {
  return !stoppedAt_ && clock_.Now().seconds != shownSecond_;
}

std::string EditorSession::StatusText() const {
  return messages::Status(drawProblem_, notice_, Points().size(), editor_.HasUnsavedChanges());
}

std::string EditorSession::FolderLine() const {
  return SkinFolderLine(folder_, editor_.HasUnsavedChanges());
}

void EditorSession::ChooseHand(HandId hand) {
  if (hand == hand_) return;
  hand_ = hand;
  selected_ = -1;
  Show(Redraw::kSkin);
}

void EditorSession::Select(int point) {
  if (point == selected_) return;
  selected_ = point;
  Show(Redraw::kPoints);
}

// What lies under the mouse is measured in screen pixels (face_zoom.h), so the reach is the
// same at every zoom.
void EditorSession::PressFace(const FaceZoom& zoom, ScreenPoint at) {
  const ClockState dial = face_.DialOf(hand_);
  int point = PointAtScreen(zoom, dial, Points(), at);
  if (point < 0) {
    const int segment = SegmentAtScreen(zoom, dial, Points(), at);
    if (segment < 0) return;
    point = segment + 1;
    if (!editor_.InsertPoint(hand_, static_cast<std::size_t>(point),
                             PointFromScreen(zoom, dial, at)))
      return Notice(messages::kHandFull);
  }
  selected_ = point;
  editor_.BeginDrag();
  Edited(true);
}

void EditorSession::DragFace(const FaceZoom& zoom, ScreenPoint at) {
  if (selected_ < 0) return;
  const ShapePoint moved = PointFromScreen(zoom, face_.DialOf(hand_), at);
  if (editor_.DragPoint(hand_, static_cast<std::size_t>(selected_), moved)) Show(Redraw::kPoints);
}

void EditorSession::ReleaseFace() {
  editor_.EndDrag();
  Show(Redraw::kSkin);
}

void EditorSession::RightClickFace(const FaceZoom& zoom, ScreenPoint at) {
  const int point = PointAtScreen(zoom, face_.DialOf(hand_), Points(), at);
  if (point < 0) return;
  selected_ = point;
  DeleteSelected();
}

void EditorSession::DeleteSelected() {
  if (selected_ < 0) return;
  Edited(editor_.DeletePoint(hand_, static_cast<std::size_t>(selected_)));
}

void EditorSession::Nudge(int angleStep, int percentStep) {
  if (selected_ < 0) return;
  Edited(editor_.NudgePoint(hand_, static_cast<std::size_t>(selected_), angleStep, percentStep));
}

void EditorSession::ApplyPointFields(std::optional<ShapePoint> typed, bool insert) {
  if (!typed) return Notice(messages::kWholeNumbers);
  if (!insert) {
    if (selected_ >= 0)
      Edited(editor_.SetPoint(hand_, static_cast<std::size_t>(selected_), *typed));
    return;
  }
  const std::size_t at = selected_ >= 0 ? static_cast<std::size_t>(selected_) + 1 : Points().size();
  if (editor_.InsertPoint(hand_, at, *typed)) {
    selected_ = static_cast<int>(at);
    Edited(true);
  }
}

void EditorSession::ApplyPenWidth(std::optional<int32_t> width) {
  if (width && *width == document().penWidth) return;
  if (!width || !editor_.SetPenWidth(*width)) notice_ = messages::kPenRange;
  Edited(false);
}

void EditorSession::ApplySize(const std::string& text) {
  const auto percent = ParseSize(text);
  if (percent && *percent == document().sizePercent) return Show(Redraw::kSkin);  // "150 %"
  if (!percent || !editor_.SetSizePercent(*percent)) notice_ = kSizeLimitNotice;
  Edited(false);
}

std::optional<std::string> EditorSession::ApplyOption(const std::string& key,
                                                      const std::string& value) {
  ClockOptions next = options();
  std::optional<std::string> refused = SetOptionFromText(next, key, value);
  if (refused) {
    notice_ = messages::OptionRefused(key, value, *refused);
    Show(Redraw::kSkin);  // the page shows the option as it was
    return refused;
  }
  Edited(editor_.SetOptions(next));
  return std::nullopt;
}

void EditorSession::ResetOptions() {
  Edited(editor_.SetOptions(ClockOptions{}));
}

void EditorSession::ChooseColour() {
  if (const auto colour = host_.PickColour(document().hand(hand_).color))
    Edited(editor_.SetColor(hand_, *colour));
}

// A face from outside the skin folder is copied into it at the save and named plainly, so the
// skin folder can be copied whole; nothing on disk changes before.
void EditorSession::ChooseBitmap() {
  const auto picked = host_.PickBitmap(folder_);
  if (!picked) return;
  std::string problem;
  if (OpenFacePicture(slot_, *picked, problem).empty())
    return host_.ShowProblem(messages::FaceRefused(problem));
  const std::string name = PickedFaceName(folder_, *picked);
  Edited(editor_.SetBitmapName(name));
  if (std::filesystem::path(name).has_root_path()) notice_ = kFaceCopiedAtSave;
  Show(Redraw::kStatus);
}

void EditorSession::Undo() {
  Edited(editor_.Undo());
}

void EditorSession::Redo() {
  Edited(editor_.Redo());
}

void EditorSession::ApplyTime(const std::string& text) {
  const auto time = ParseTimeOfDay(text);
  if (!time) return Notice(messages::kTimeFormat);
  StopAt(*time);
}

void EditorSession::StopAt(std::optional<TimeOfDay> time) {
  stoppedAt_ = time;
  Show(Redraw::kFace);
}

}  // namespace quarvel
