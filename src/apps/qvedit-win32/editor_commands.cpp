// The controls' and the face's notifications: each is one call into the session, which shows
// what changed.
#include <charconv>
#include <optional>

#include "apps/qvedit-win32/editor_window.h"
// commctrl.h needs windows.h first.
#include <commctrl.h>

#include "core/skineditor/clock_size.h"
#include "core/skineditor/face_time.h"

namespace quarvel {

namespace {
std::optional<int32_t> ParseInt(const std::string& text) {
  std::size_t start = text.find_first_not_of(' ');
  std::size_t end = text.find_last_not_of(' ');
  if (start == std::string::npos) return std::nullopt;
  int32_t value = 0;
  const char* first = text.data() + start;
  const char* last = text.data() + end + 1;
  if (*first == '+') ++first;
  auto result = std::from_chars(first, last, value);
  if (result.ec != std::errc() || result.ptr != last) return std::nullopt;
  return value;
}
}  // namespace

void EditorWindow::OnCommand(int id, int code) {
  if (code == EN_SETFOCUS &&
      (id == kAngleEdit || id == kPercentEdit || id == kPenEdit || id == kTimeEdit)) {
    // A click into a field takes its whole text, so what is typed replaces it. Posted: the
    // click itself puts the caret first.
    PostMessageA(hwnd_, kSelectAll, 0, reinterpret_cast<LPARAM>(Item(id)));
    return;
  }
  if (id == IDOK) return OnEnter();
  if (code == BN_CLICKED) return OnClick(id);
  OnFieldNotify(id, code);
}

void EditorWindow::OnClick(int id) {
  switch (id) {
    case kSymmetricCheck:
      return session_.SetSymmetric(IsDlgButtonChecked(hwnd_, kSymmetricCheck) == BST_CHECKED);
    case kHourRadio:
    case kMinuteRadio:
    case kSecondRadio:
      return session_.ChooseHand(static_cast<HandId>(id - kHourRadio));
    case kColourButton:
      return session_.ChooseColour();
    case kSetButton:
    case kInsertButton:
      return ApplyPointFields(id == kInsertButton);
    case kDeleteButton:
      return session_.DeleteSelected();
    case kBrowseButton:
      return session_.ChooseBitmap();
    case kStopButton:
      return session_.ApplyTime(Text(kTimeEdit));
    case kPoseButton:
      return session_.StopAt(kClassicPose);
    case kLiveButton:
      return session_.StopAt(std::nullopt);
    case kUndoButton:
      return session_.Undo();
    case kRedoButton:
      return session_.Redo();
    case kNewButton:
      return session_.NewSkin();
    case kOpenButton:
      return session_.OpenSkinFolder();
    case kCopyButton:
      return session_.SaveCopy();
    case kSaveButton:
      session_.Save();
      return;
    case kSaveStartButton:
      return SaveAndStartClock();
    default:
      return;
  }
}

void EditorWindow::OnFieldNotify(int id, int code) {
  if (id == kZoomCombo && code == CBN_SELCHANGE) {
    const auto index = SendMessageA(Item(kZoomCombo), CB_GETCURSEL, 0, 0);
    if (index >= 0 && index < 4) SetZoom(kAllZooms[index]);
  } else if (id == kPenEdit && code == EN_KILLFOCUS) {
    ApplyPenWidth();
  } else if (id == kSizeCombo && code == CBN_SELCHANGE) {
    const auto index = SendMessageA(Item(kSizeCombo), CB_GETCURSEL, 0, 0);
    if (index >= 0 && index < static_cast<LRESULT>(kSizeChoices.size()))
      ApplySize(SizeText(kSizeChoices[static_cast<std::size_t>(index)]));
  } else if (id == kSizeCombo && code == CBN_KILLFOCUS) {
    ApplySize(Text(kSizeCombo));
  }
}

void EditorWindow::OnEnter() {
  const HWND focus = GetFocus();
  if (focus == Item(kAngleEdit) || focus == Item(kPercentEdit)) ApplyPointFields(false);
  if (focus == Item(kPenEdit)) ApplyPenWidth();
  if (GetParent(focus) == Item(kSizeCombo)) ApplySize(Text(kSizeCombo));
  if (focus == Item(kTimeEdit)) session_.ApplyTime(Text(kTimeEdit));
}

void EditorWindow::OnListNotify(const NMHDR& header) {
  if (filling_) return;
  if (header.code == LVN_ITEMCHANGED) {
    const auto& change = reinterpret_cast<const NMLISTVIEW&>(header);
    if ((change.uNewState & LVIS_SELECTED) != 0 && (change.uOldState & LVIS_SELECTED) == 0)
      session_.Select(change.iItem);
  } else if (header.code == LVN_KEYDOWN &&
             reinterpret_cast<const NMLVKEYDOWN&>(header).wVKey == VK_DELETE) {
    OnFaceDeleteKey();
  }
}

void EditorWindow::ApplyPointFields(bool insert) {
  const auto angle = ParseInt(Text(kAngleEdit));
  const auto percent = ParseInt(Text(kPercentEdit));
  std::optional<ShapePoint> typed;
  if (angle && percent) typed = ShapePoint{*angle, *percent};
  session_.ApplyPointFields(typed, insert);
}

void EditorWindow::ApplyPenWidth() {
  session_.ApplyPenWidth(ParseInt(Text(kPenEdit)));
}

// The size box shows the size as the session holds it, also while the author types there.
void EditorWindow::ApplySize(const std::string& text) {
  session_.ApplySize(text);
  SetText(kSizeCombo, SizeText(session_.document().sizePercent));
}

void EditorWindow::SetZoom(Zoom zoom) {
  const ScreenPoint middle = zoom_.MiddleFacePixel();
  zoom_.SetZoom(zoom);
  zoom_.CentreOn(middle);
  SendMessageA(Item(kZoomCombo), CB_SETCURSEL, static_cast<WPARAM>(zoom), 0);
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
