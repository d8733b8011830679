// The session shown in the widgets, and its questions answered with the window's dialogs.
#include <QLabel>
#include <QPushButton>
#include <cstdio>
#include <filesystem>
#include <system_error>

#include "apps/qvedit-qt/clock_start.h"
#include "apps/qvedit-qt/editor_window.h"
#include "apps/qvedit-qt/face_view.h"
#include "apps/qvedit-qt/options_panel.h"
#include "apps/qvedit-qt/point_panel.h"
#include "apps/qvedit-qt/skin_panel.h"
#include "apps/qvedit-qt/time_panel.h"
#include "core/skineditor/dial_frame.h"

namespace quarvel {

std::optional<QPoint> EditorWindow::PointPixel(HandId hand, int point) const {
  const auto& points = session_.document().hand(hand).points;
  if (point < 0 || point >= static_cast<int>(points.size())) return std::nullopt;
  const auto pixel =
      quarvel::PointPixel(session_.face().DialOf(hand), points[static_cast<std::size_t>(point)]);
  if (!pixel) return std::nullopt;
  return QPoint(pixel->x, pixel->y);
}

void EditorWindow::ShowSkin() {
  session_.LoadFacePicture();
  const SkinDocument& skin = session_.document();
  const HandId hand = session_.hand();
  skin_->Show(hand, skin.hand(hand).color, skin.bitmapName, skin.penWidth, skin.sizePercent);
  options_->Show(session_.options());
  undo_->setEnabled(session_.editor().CanUndo());
  redo_->setEnabled(session_.editor().CanRedo());
  ShowPoints();
  ShowFace();
}

void EditorWindow::ShowPoints() {
  const auto& points = session_.Points();
  points_->Show(points, session_.selected(),
                points.size() < static_cast<std::size_t>(HandShape::kCapacity));
}

void EditorWindow::ShowFace() {
  const EditorSession::DrawnFace drawn = session_.DrawFace();
  faceView_->Show(drawn.pixels, session_.face().DialOf(session_.hand()), session_.Points(),
                  session_.selected(), session_.options().opacityPercent);
  time_->Show(drawn.time);
  ShowStatus();
}

void EditorWindow::ShowStatus() {
  folder_->setText(QString::fromStdString(session_.FolderLine()));
  status_->setText(QString::fromStdString(session_.StatusText()));
}

// --- The session's questions. ---

std::optional<ColorRef> EditorWindow::PickColour(ColorRef current) {
  return dialogs_->PickColour(this, current);
}

std::optional<std::string> EditorWindow::PickBitmap(const std::string& skinFolder) {
  return dialogs_->PickBitmap(this, skinFolder);
}

std::optional<std::string> EditorWindow::PickFolder(const std::string& title,
                                                    const std::string& from) {
  return dialogs_->PickFolder(this, title, from);
}

void EditorWindow::ShowProblem(const std::string& text) {
  dialogs_->ShowProblem(this, text);
}

CloseChoice EditorWindow::AskBeforeLeaving(const std::string& doing) {
  return dialogs_->AskBeforeLeaving(this, doing);
}

bool EditorWindow::AskRestore(const std::string& skinFolder) {
  return dialogs_->AskRestore(this, skinFolder);
}

std::optional<std::string> EditorWindow::EnterFolder(const std::string& folder) {
  std::error_code ec;
  std::filesystem::current_path(folder, ec);
  if (ec) return ": " + ec.message();
  return std::nullopt;
}

std::string EditorWindow::StartClock() {
  return StartClockBesideEditor();
}

std::string EditorWindow::SetStartAtLogin(bool on) {
  return StartClockAtLogin(session_.folder(), on);
}

void EditorWindow::ApplyTyped() {
  skin_->CommitTyped();  // a width typed but not yet applied
}

void EditorWindow::Log(const std::string& line) {
  std::fprintf(stderr, "qvedit: %s\n", line.c_str());
}

}  // namespace quarvel
