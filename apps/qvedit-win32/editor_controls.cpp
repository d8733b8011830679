// The main window's controls: created once, placed beside the face (whose size follows the
// bitmap), and filled from the skin after every edit.
#include "apps/qvedit-win32/editor_window.h"
// commctrl.h needs windows.h first.
#include <commctrl.h>

#include <algorithm>
#include <array>

#include "clockface/clock_state.h"
#include "skineditor/face_time.h"
#include "skineditor/skin_files.h"

namespace quarvel {

namespace {
constexpr int kMargin = 10;
constexpr int kPanelWidth = 294;
constexpr int kPanelHeight = 564;
constexpr int kLargestFaceShown = 720;  // a larger face shows its top-left part

struct Place {
  int id, x, y, width, height;
};
// Beside the face, from the panel's top-left corner.
constexpr std::array<Place, 29> kPlaces{{
    {EditorWindow::kHourRadio, 0, 0, 95, 22},
    {EditorWindow::kMinuteRadio, 98, 0, 95, 22},
    {EditorWindow::kSecondRadio, 196, 0, 98, 22},
    {EditorWindow::kColourButton, 0, 30, 90, 26},
    {EditorWindow::kColourSwatch, 98, 30, 60, 26},
    {EditorWindow::kPointList, 0, 64, kPanelWidth, 180},
    {EditorWindow::kAngleLabel, 0, 255, 40, 20},
    {EditorWindow::kAngleEdit, 42, 252, 60, 24},
    {EditorWindow::kPercentLabel, 110, 255, 50, 20},
    {EditorWindow::kPercentEdit, 162, 252, 60, 24},
    {EditorWindow::kSetButton, 0, 282, 94, 26},
    {EditorWindow::kInsertButton, 100, 282, 94, 26},
    {EditorWindow::kDeleteButton, 200, 282, 94, 26},
    {EditorWindow::kBitmapLabel, 0, 323, 80, 20},
    {EditorWindow::kBitmapEdit, 82, 320, 130, 24},
    {EditorWindow::kBrowseButton, 218, 320, 76, 26},
    {EditorWindow::kPenLabel, 0, 355, 80, 20},
    {EditorWindow::kPenEdit, 82, 352, 60, 24},
    {EditorWindow::kTimeLabel, 0, 393, 40, 20},
    {EditorWindow::kTimeEdit, 42, 390, 70, 24},
    {EditorWindow::kStopButton, 118, 390, 56, 26},
    {EditorWindow::kPoseButton, 178, 390, 70, 26},
    {EditorWindow::kLiveButton, 252, 390, 42, 26},
    {EditorWindow::kUndoButton, 0, 428, 94, 26},
    {EditorWindow::kRedoButton, 100, 428, 94, 26},
    {EditorWindow::kSaveButton, 0, 462, 94, 28},
    {EditorWindow::kSaveStartButton, 100, 462, 194, 28},
    {EditorWindow::kStatus, 0, 500, kPanelWidth, 64},
    {EditorWindow::kPenUpDown, 142, 352, 18, 24},
}};

struct Kind {
  int id;
  const char* windowClass;
  const char* text;
  DWORD style;
};
constexpr DWORD kButton = BS_PUSHBUTTON | WS_TABSTOP;
constexpr DWORD kEdit = ES_AUTOHSCROLL | WS_TABSTOP;
constexpr std::array<Kind, 29> kKinds{{
    {EditorWindow::kHourRadio, "BUTTON", "Hour hand", BS_AUTORADIOBUTTON | WS_GROUP | WS_TABSTOP},
    {EditorWindow::kMinuteRadio, "BUTTON", "Minute hand", BS_AUTORADIOBUTTON},
    {EditorWindow::kSecondRadio, "BUTTON", "Second hand", BS_AUTORADIOBUTTON},
    {EditorWindow::kColourButton, "BUTTON", "Colour...", kButton | WS_GROUP},
    {EditorWindow::kColourSwatch, "STATIC", "", SS_SUNKEN},
    {EditorWindow::kPointList, WC_LISTVIEWA, "",
     LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS | LVS_NOSORTHEADER | WS_BORDER | WS_TABSTOP},
    {EditorWindow::kAngleLabel, "STATIC", "Angle", SS_LEFT},
    {EditorWindow::kAngleEdit, "EDIT", "", kEdit},
    {EditorWindow::kPercentLabel, "STATIC", "Percent", SS_LEFT},
    {EditorWindow::kPercentEdit, "EDIT", "", kEdit},
    {EditorWindow::kSetButton, "BUTTON", "Set point", kButton},
    {EditorWindow::kInsertButton, "BUTTON", "Insert point", kButton},
    {EditorWindow::kDeleteButton, "BUTTON", "Delete point", kButton},
    {EditorWindow::kBitmapLabel, "STATIC", "Face bitmap", SS_LEFT},
    {EditorWindow::kBitmapEdit, "EDIT", "", kEdit | ES_READONLY},
    {EditorWindow::kBrowseButton, "BUTTON", "Browse...", kButton},
    {EditorWindow::kPenLabel, "STATIC", "Pen width", SS_LEFT},
    {EditorWindow::kPenEdit, "EDIT", "", kEdit | ES_NUMBER},
    {EditorWindow::kTimeLabel, "STATIC", "Time", SS_LEFT},
    {EditorWindow::kTimeEdit, "EDIT", "", kEdit},
    {EditorWindow::kStopButton, "BUTTON", "Stop", kButton},
    {EditorWindow::kPoseButton, "BUTTON", "10:08:36", kButton},
    {EditorWindow::kLiveButton, "BUTTON", "Live", kButton},
    {EditorWindow::kUndoButton, "BUTTON", "Undo", kButton},
    {EditorWindow::kRedoButton, "BUTTON", "Redo", kButton},
    {EditorWindow::kSaveButton, "BUTTON", "Save", kButton},
    {EditorWindow::kSaveStartButton, "BUTTON", "Save and start clock", kButton},
    {EditorWindow::kStatus, "STATIC", "", SS_LEFT},
    {EditorWindow::kPenUpDown, UPDOWN_CLASSA, "",
     UDS_SETBUDDYINT | UDS_ARROWKEYS | UDS_NOTHOUSANDS | UDS_ALIGNRIGHT},
}};

int FaceBox(int faceWidth) {
  return std::min(std::max(faceWidth, 200), kLargestFaceShown);
}
}  // namespace

void EditorWindow::CreateControls() {
  font_ = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  faceView_ = std::make_unique<Win32FaceView>(instance_, hwnd_, kFace, *this);
  for (const Kind& kind : kKinds) {
    const DWORD exStyle =
        kind.id == kPointList || std::string(kind.windowClass) == "EDIT" ? WS_EX_CLIENTEDGE : 0;
    HWND control = CreateWindowExA(
        exStyle, kind.windowClass, kind.text, WS_CHILD | WS_VISIBLE | kind.style, 0, 0, 10, 10,
        hwnd_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(kind.id)), instance_, nullptr);
    SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
  }
  HWND list = Item(kPointList);
  ListView_SetExtendedListViewStyle(list, LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES);
  const std::array<std::pair<const char*, int>, 3> columns{
      {{"Point", 60}, {"Angle", 110}, {"Percent", 100}}};
  for (int i = 0; i < 3; ++i) {
    LVCOLUMNA column{};
    column.mask = LVCF_TEXT | LVCF_WIDTH;
    column.pszText = const_cast<char*>(columns[static_cast<std::size_t>(i)].first);
    column.cx = columns[static_cast<std::size_t>(i)].second;
    SendMessageA(list, LVM_INSERTCOLUMNA, static_cast<WPARAM>(i),
                 reinterpret_cast<LPARAM>(&column));
  }
  SendMessageA(Item(kPenUpDown), UDM_SETRANGE32, 1, 32767);
  SendMessageA(Item(kAngleEdit), EM_SETLIMITTEXT, 12, 0);
  SendMessageA(Item(kPercentEdit), EM_SETLIMITTEXT, 12, 0);
}

void EditorWindow::PlaceControls() {
  const int box = FaceBox(face_.width());
  MoveWindow(faceView_->handle(), kMargin, kMargin, box, box, TRUE);
  const int left = kMargin + box + 12;
  for (const Place& place : kPlaces)
    MoveWindow(Item(place.id), left + place.x, kMargin + place.y, place.width, place.height, TRUE);
  // The up-down control sits on its edit field's right edge.
  SendMessageA(Item(kPenUpDown), UDM_SETBUDDY, reinterpret_cast<WPARAM>(Item(kPenEdit)), 0);
  RECT outer{0, 0, left + kPanelWidth + kMargin, kMargin + std::max(box, kPanelHeight) + kMargin};
  AdjustWindowRectEx(&outer, static_cast<DWORD>(GetWindowLongPtrA(hwnd_, GWL_STYLE)), FALSE,
                     static_cast<DWORD>(GetWindowLongPtrA(hwnd_, GWL_EXSTYLE)));
  SetWindowPos(hwnd_, nullptr, 0, 0, outer.right - outer.left, outer.bottom - outer.top,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

std::string EditorWindow::Text(int id) const {
  char text[1024] = {};
  GetWindowTextA(Item(id), text, sizeof text);
  return text;
}

void EditorWindow::SetText(int id, const std::string& text) {
  if (Text(id) != text) SetWindowTextA(Item(id), text.c_str());
}

void EditorWindow::ShowSkin() {
  const SkinDocument& skin = editor_.document();
  if (skin.bitmapName != faceBitmap_) {
    std::string problem;
    face_.SetPicture(OpenFacePicture(slot_, skin.bitmapName, problem));
    faceBitmap_ = skin.bitmapName;
    if (!problem.empty()) notice_ = problem + "\nThe face is plain, as the clock would show it.";
    PlaceControls();
  }
  CheckRadioButton(hwnd_, kHourRadio, kSecondRadio, kHourRadio + static_cast<int>(hand_));
  if (swatch_ != nullptr) DeleteObject(swatch_);
  swatch_ = CreateSolidBrush(static_cast<COLORREF>(skin.hand(hand_).color) & 0xFFFFFF);
  InvalidateRect(Item(kColourSwatch), nullptr, TRUE);
  SetText(kBitmapEdit, skin.bitmapName);
  SetText(kPenEdit, std::to_string(skin.penWidth));
  EnableWindow(Item(kUndoButton), editor_.CanUndo());
  EnableWindow(Item(kRedoButton), editor_.CanRedo());
  ShowPoints();
  ShowFace();
}

void EditorWindow::ShowPoints() {
  const auto& points = Points();
  if (selected_ >= static_cast<int>(points.size())) selected_ = static_cast<int>(points.size()) - 1;
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
  if (selected_ >= 0) {
    ListView_SetItemState(list, selected_, LVIS_SELECTED | LVIS_FOCUSED,
                          LVIS_SELECTED | LVIS_FOCUSED);
    ListView_EnsureVisible(list, selected_, FALSE);
    SetText(kAngleEdit, std::to_string(points[static_cast<std::size_t>(selected_)].angleOffset));
    SetText(kPercentEdit,
            std::to_string(points[static_cast<std::size_t>(selected_)].radiusPercent));
  }
  SendMessageA(list, WM_SETREDRAW, TRUE, 0);
  filling_ = false;
  EnableWindow(Item(kInsertButton), points.size() < static_cast<std::size_t>(HandShape::kCapacity));
  EnableWindow(Item(kSetButton), selected_ >= 0);
  EnableWindow(Item(kDeleteButton), selected_ >= 0);
}

void EditorWindow::ShowFace() {
  const TimeOfDay time = FaceTime();
  const std::string problem = face_.Draw(editor_.document(), time);
  shownSecond_ = time.seconds;
  faceView_->Show(face_.WithGuide(editor_.document(), hand_, selected_));
  if (GetFocus() != Item(kTimeEdit)) SetText(kTimeEdit, TimeText(time));
  drawProblem_ = problem;
  ShowStatus();
}

void EditorWindow::ShowStatus() {
  std::string status;
  if (!drawProblem_.empty()) status += "The clock would stop on this skin: " + drawProblem_ + "\n";
  if (!notice_.empty()) status += notice_ + "\n";
  status += std::to_string(Points().size()) + " of 51 points. ";
  status += editor_.HasUnsavedChanges() ? "Changes not saved yet." : "No unsaved changes.";
  SetText(kStatus, status);
}

}  // namespace quarvel
