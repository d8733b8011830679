// The window's own rows of the panel (the skin folder's line above the panels; Undo, Redo, New
// skin..., Open skin folder..., Save a copy..., Save, Save and start clock and the status below
// them) and the face's events: each is one call into the session, which shows what changed.
#include "apps/qvedit-win32/editor_window.h"

namespace quarvel {

namespace {
constexpr DWORD kButton = BS_PUSHBUTTON | WS_TABSTOP;
}  // namespace

const PanelPart& EditorWindow::FolderPart() {
  static const PanelPart part{
      {{kFolderLine, "STATIC", "", SS_LEFTNOWORDWRAP | SS_PATHELLIPSIS | SS_NOPREFIX}},
      {{{{kFolderLine, Fit::kFill}}, 10, false}}};
  return part;
}

const PanelPart& EditorWindow::CommandsPart() {
  static const PanelPart part{
      {{kUndoButton, "BUTTON", "Undo", kButton},
       {kRedoButton, "BUTTON", "Redo", kButton},
       {kNewButton, "BUTTON", "New skin...", kButton},
       {kOpenButton, "BUTTON", "Open skin folder...", kButton},
       {kCopyButton, "BUTTON", "Save a copy...", kButton},
       {kSaveButton, "BUTTON", "Save", kButton},
       {kSaveStartButton, "BUTTON", "Save and start clock", kButton},
       {kStatus, "STATIC", "", SS_LEFT | SS_NOPREFIX}},
      {{{{kUndoButton, Fit::kPush}, {kRedoButton, Fit::kPush}}, 14, true},
       {{{kNewButton, Fit::kPush}, {kOpenButton, Fit::kPush}, {kCopyButton, Fit::kPush}}, 14, true},
       {{{kSaveButton, Fit::kPush}, {kSaveStartButton, Fit::kPush}}, 14, true},
       {{{kStatus, Fit::kFill}}, 0, false, 4}}};
  return part;
}

bool EditorWindow::OnCommandClick(int id) {
  switch (id) {
    case kUndoButton:
      session_.Undo();
      return true;
    case kRedoButton:
      session_.Redo();
      return true;
    case kNewButton:
      session_.NewSkin();
      return true;
    case kOpenButton:
      session_.OpenSkinFolder();
      return true;
    case kCopyButton:
      session_.SaveCopy();
      return true;
    case kSaveButton:
      session_.Save();
      return true;
    case kSaveStartButton:
      SaveAndStartClock();
      return true;
    default:
      return false;
  }
}

void EditorWindow::SetZoom(Zoom zoom) {
  const ScreenPoint middle = zoom_.MiddleFacePixel();
  zoom_.SetZoom(zoom);
  zoom_.CentreOn(middle);
  ShowFace();
}

void EditorWindow::SaveAndStartClock() {
  if (session_.SaveAndStartClock()) DestroyWindow(hwnd_);
}

// --- The face: grab a point and drag it, or click the outline to put a new point there. ---

void EditorWindow::OnFacePress(int x, int y) {
  session_.PressFace(zoom_, {x, y});
}

void EditorWindow::OnFaceDrag(int x, int y) {
  session_.DragFace(zoom_, {x, y});
}

void EditorWindow::OnFaceRelease() {
  session_.ReleaseFace();
}

void EditorWindow::OnFaceRightClick(int x, int y) {
  session_.RightClickFace(zoom_, {x, y});
}

void EditorWindow::OnFaceDeleteKey() {
  session_.DeleteSelected();
}

void EditorWindow::OnFaceArrow(int degrees, int percent) {
  session_.Nudge(degrees, percent);
}

void EditorWindow::OnFaceWheel(int notches) {
  const int step = MulDiv(40, static_cast<int>(dpi_), 96) * notches;
  if (GetKeyState(VK_SHIFT) < 0)
    zoom_.ScrollTo(zoom_.scrollX() - step, zoom_.scrollY());
  else
    zoom_.ScrollTo(zoom_.scrollX(), zoom_.scrollY() - step);
  ShowFace();
}

void EditorWindow::OnFaceResized(int width, int height) {
  zoom_.SetView(width, height);
  ShowFace();
}

}  // namespace quarvel
