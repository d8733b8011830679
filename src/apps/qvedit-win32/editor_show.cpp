// The session shown in the panels after every change, and its questions answered with the
// system's dialogs.
#include "apps/qvedit-win32/clock_start.h"
#include "apps/qvedit-win32/editor_window.h"
#include "apps/qvedit-win32/options_panel.h"
#include "apps/qvedit-win32/panel_controls.h"
#include "apps/qvedit-win32/point_panel.h"
#include "apps/qvedit-win32/skin_dialogs.h"
#include "apps/qvedit-win32/skin_panel.h"
#include "apps/qvedit-win32/startup_shortcut.h"
#include "apps/qvedit-win32/time_panel.h"
#include "core/skineditor/editor_names.h"

namespace quarvel {

void EditorWindow::ShowSkin() {
  if (session_.LoadFacePicture()) {
    zoom_.SetFace(session_.face().width());
    // The whole window again: the face's size changed under the controls.
    RedrawWindow(hwnd_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
  }
  skin_->Show();
  options_->Show();
  EnableWindow(GetDlgItem(hwnd_, kUndoButton), session_.editor().CanUndo());
  EnableWindow(GetDlgItem(hwnd_, kRedoButton), session_.editor().CanRedo());
  points_->Show();
  ShowFace();
}

void EditorWindow::ShowPoints() {
  points_->Show();
}

void EditorWindow::ShowFace() {
  EditorSession::DrawnFace drawn = session_.DrawFace();
  faceView_->Show(std::move(drawn.pixels), zoom_,
                  Handles(zoom_, session_.face().DialOf(session_.hand()), session_.Points(),
                          session_.selected()),
                  session_.options().opacityPercent);
  time_->Show(drawn.time);
  ShowStatus();
}

void EditorWindow::ShowStatus() {
  SetItemText(hwnd_, kStatus, session_.StatusText());
  SetItemText(hwnd_, kFolderLine, session_.FolderLine());
}

// --- The session's questions, and what it has the window do. ---

void EditorWindow::ShowProblem(const std::string& text) {
  quarvel::ShowProblem(hwnd_, text);
}

CloseChoice EditorWindow::AskBeforeLeaving(const std::string& doing) {
  return keeper_.AskBeforeLeaving(hwnd_, doing);
}

bool EditorWindow::AskRestore(const std::string& skinFolder) {
  return quarvel::AskRestore(hwnd_, skinFolder);
}

std::optional<ColorRef> EditorWindow::PickColour(ColorRef current) {
  return quarvel::PickColour(hwnd_, current);
}

std::optional<std::string> EditorWindow::PickBitmap(const std::string&) {
  return quarvel::PickBitmap(hwnd_);
}

std::optional<std::string> EditorWindow::PickFolder(const std::string& title, const std::string&) {
  return quarvel::PickFolder(hwnd_, title.c_str());
}

std::optional<std::string> EditorWindow::EnterFolder(const std::string& folder) {
  if (SetCurrentDirectoryA(folder.c_str())) return std::nullopt;
  return " (error " + std::to_string(GetLastError()) + ")";
}

std::string EditorWindow::StartClock() {
  return StartClockBesideEditor();
}

std::string EditorWindow::SetStartAtLogin(bool on) {
  return SetStartupShortcut(on, session_.folder(), ProgramFolder() + "\\" + kClockProgram);
}

void EditorWindow::ApplyTyped() {
  skin_->ApplyTyped();
  options_->ApplyTyped();
}

}  // namespace quarvel
