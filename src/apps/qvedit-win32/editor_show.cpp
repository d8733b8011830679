// The session shown in the controls after every change, and its questions answered with the
// system's dialogs.
#include <array>

#include "apps/qvedit-win32/clock_start.h"
#include "apps/qvedit-win32/editor_window.h"
#include "apps/qvedit-win32/skin_dialogs.h"
// commctrl.h needs windows.h first.
#include <commctrl.h>

#include "core/skineditor/clock_size.h"
#include "core/skineditor/face_time.h"

namespace quarvel {

std::string EditorWindow::Text(int id) const {
  char text[1024] = {};
  GetWindowTextA(Item(id), text, sizeof text);
  return text;
}

void EditorWindow::SetText(int id, const std::string& text) {
  if (Text(id) != text) SetWindowTextA(Item(id), text.c_str());
}

void EditorWindow::ShowSkin() {
  if (session_.LoadFacePicture()) {
    zoom_.SetFace(session_.face().width());
    // The whole window again: the face's size changed under the controls.
    RedrawWindow(hwnd_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
  }
  const SkinDocument& skin = session_.document();
  const HandId hand = session_.hand();
  CheckRadioButton(hwnd_, kHourRadio, kSecondRadio, kHourRadio + static_cast<int>(hand));
  CheckDlgButton(hwnd_, kSymmetricCheck,
                 session_.editor().symmetric() ? BST_CHECKED : BST_UNCHECKED);
  if (swatch_ != nullptr) DeleteObject(swatch_);
  swatch_ = CreateSolidBrush(static_cast<COLORREF>(skin.hand(hand).color) & 0xFFFFFF);
  InvalidateRect(Item(kColourSwatch), nullptr, TRUE);
  SetText(kBitmapEdit, skin.bitmapName);
  SetText(kPenEdit, std::to_string(skin.penWidth));
  if (GetFocus() != GetWindow(Item(kSizeCombo), GW_CHILD))  // not while the author types there
    SetText(kSizeCombo, SizeText(skin.sizePercent));
  EnableWindow(Item(kUndoButton), session_.editor().CanUndo());
  EnableWindow(Item(kRedoButton), session_.editor().CanRedo());
  ShowPoints();
  ShowFace();
}

void EditorWindow::ShowPoints() {
  const auto& points = session_.Points();
  const int selected = session_.selected();
  FillPointList();
  if (selected >= 0) {
    const ShapePoint& point = points[static_cast<std::size_t>(selected)];
    SetText(kAngleEdit, std::to_string(point.angleOffset));
    SetText(kPercentEdit, std::to_string(point.radiusPercent));
  }
  EnableWindow(Item(kInsertButton), points.size() < static_cast<std::size_t>(HandShape::kCapacity));
  EnableWindow(Item(kSetButton), selected >= 0);
  EnableWindow(Item(kDeleteButton), selected >= 0);
}

void EditorWindow::FillPointList() {
  const auto& points = session_.Points();
  HWND list = Item(kPointList);
  filling_ = true;
  SendMessageA(list, WM_SETREDRAW, FALSE, 0);
  ListView_DeleteAllItems(list);
  for (std::size_t i = 0; i < points.size(); ++i) {
    std::array<std::string, 3> cells{std::to_string(i + 1), std::to_string(points[i].angleOffset),
                                     std::to_string(points[i].radiusPercent)};
    LVITEMA item{};
    item.mask = LVIF_TEXT;
    item.iItem = static_cast<int>(i);
    item.pszText = cells[0].data();
    SendMessageA(list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
    for (int column = 1; column < 3; ++column) {
      item.iSubItem = column;
      item.pszText = cells[static_cast<std::size_t>(column)].data();
      SendMessageA(list, LVM_SETITEMTEXTA, i, reinterpret_cast<LPARAM>(&item));
    }
  }
  if (const int selected = session_.selected(); selected >= 0) {
    ListView_SetItemState(list, selected, LVIS_SELECTED | LVIS_FOCUSED,
                          LVIS_SELECTED | LVIS_FOCUSED);
    ListView_EnsureVisible(list, selected, FALSE);
  }
  SendMessageA(list, WM_SETREDRAW, TRUE, 0);
  filling_ = false;
}

void EditorWindow::ShowFace() {
  EditorSession::DrawnFace drawn = session_.DrawFace();
  faceView_->Show(std::move(drawn.pixels), zoom_,
                  Handles(zoom_, session_.face().DialOf(session_.hand()), session_.Points(),
                          session_.selected()));
  if (GetFocus() != Item(kTimeEdit)) SetText(kTimeEdit, TimeText(drawn.time));
  ShowStatus();
}

void EditorWindow::ShowStatus() {
  SetText(kStatus, session_.StatusText());
  SetText(kFolderLine, session_.FolderLine());
}

// --- The session's questions, and what it has the window do. ---

void EditorWindow::ShowProblem(const std::string& text) {
  quarvel::ShowProblem(hwnd_, text);
}

CloseChoice EditorWindow::AskBeforeLeaving(const std::string& doing) {
  asking_ = true;
  const CloseChoice choice = quarvel::AskBeforeLeaving(hwnd_, doing);
  asking_ = false;
  return choice;
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

// A width or size typed but not yet applied.
void EditorWindow::ApplyTyped() {
  ApplyPenWidth();
  ApplySize(Text(kSizeCombo));
}

}  // namespace quarvel
