#include "apps/qvedit-win32/editor_window.h"

#include <commctrl.h>

#include <charconv>
#include <filesystem>
#include <system_error>

#include "apps/qvedit-win32/clock_start.h"
#include "apps/qvedit-win32/skin_dialogs.h"
#include "platform/win32/win32_resources.h"
#include "skineditor/dial_frame.h"
#include "skineditor/editor_names.h"
#include "skineditor/face_import.h"
#include "skineditor/face_time.h"
#include "skineditor/skin_files.h"

namespace quarvel {

namespace {
constexpr const char* kWindowClass = "QuarvelSkinEditor";
constexpr UINT_PTR kTickTimer = 1;
constexpr UINT kTickMs = 100;     // a change of second shows within a tenth of a second
constexpr int kPointReach = 6;    // pixels from a point that still grab it
constexpr int kOutlineReach = 4;  // pixels from the outline that insert a point on it

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

EditorWindow::EditorWindow(HINSTANCE instance) : instance_(instance) {
  WNDCLASSEXA wc{};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = &EditorWindow::WindowProc;
  wc.hInstance = instance;
  wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
  wc.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(QUARVEL_ICON));
  wc.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
  wc.lpszClassName = kWindowClass;
  RegisterClassExA(&wc);
  // WS_EX_CONTROLPARENT: Tab walks the controls, as in a dialog.
  hwnd_ = CreateWindowExA(WS_EX_CONTROLPARENT, kWindowClass, kEditorTitle,
                          WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX, CW_USEDEFAULT,
                          CW_USEDEFAULT, 640, 600, nullptr, nullptr, instance, this);
}

EditorWindow::~EditorWindow() {
  if (swatch_ != nullptr) DeleteObject(swatch_);
}

void EditorWindow::Open(int showCommand) {
  const OpenedSkin opened = OpenSkin(slot_);
  editor_ = SkinEditor(opened.document);
  ShowSkin();
  ShowWindow(hwnd_, showCommand);
  UpdateWindow(hwnd_);
  SetTimer(hwnd_, kTickTimer, kTickMs, nullptr);
  std::string problems;
  for (const std::string& problem : opened.problems) problems += problem + "\n";
  if (!notice_.empty()) problems += notice_ + "\n";
  if (!problems.empty())
    ShowProblem(hwnd_, "The skin opened with problems the clock would stop on:\n\n" + problems +
                           "\nEach hand starts with what could be read. Nothing on disk changes "
                           "until you save.");
}

bool EditorWindow::TranslateShortcut(const MSG& msg) {
  if (msg.message != WM_KEYDOWN || GetKeyState(VK_CONTROL) >= 0) return false;
  if (msg.wParam == 'Z')
    OnCommand(kUndoButton, BN_CLICKED);
  else if (msg.wParam == 'Y')
    OnCommand(kRedoButton, BN_CLICKED);
  else if (msg.wParam == 'S')
    OnCommand(kSaveButton, BN_CLICKED);
  else
    return false;
  return true;
}

LRESULT CALLBACK EditorWindow::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* self =
        static_cast<EditorWindow*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
    SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    self->hwnd_ = hwnd;
  }
  auto* self = reinterpret_cast<EditorWindow*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
  if (self == nullptr) return DefWindowProcA(hwnd, message, wParam, lParam);
  if (message == WM_CREATE) {
    self->CreateControls();
    return 0;
  }
  return self->HandleMessage(message, wParam, lParam);
}

LRESULT EditorWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
      OnCommand(LOWORD(wParam), HIWORD(wParam));
      return 0;
    case WM_NOTIFY: {
      const auto& header = *reinterpret_cast<const NMHDR*>(lParam);
      if (header.idFrom == kPointList) OnListNotify(header);
      return 0;
    }
    case WM_VSCROLL:  // the pen's up-down control has changed its field
      if (reinterpret_cast<HWND>(lParam) == Item(kPenUpDown)) ApplyPenWidth();
      return 0;
    case WM_CTLCOLORSTATIC:
      if (reinterpret_cast<HWND>(lParam) == Item(kColourSwatch) && swatch_ != nullptr)
        return reinterpret_cast<LRESULT>(swatch_);
      break;
    case WM_TIMER:
      if (wParam == kTickTimer && !stoppedAt_ && clock_.Now().seconds != shownSecond_) ShowFace();
      return 0;
    case WM_CLOSE:
      Close();
      return 0;
    case WM_DESTROY:
      KillTimer(hwnd_, kTickTimer);
      PostQuitMessage(0);
      return 0;
    default:
      break;
  }
  return DefWindowProcA(hwnd_, message, wParam, lParam);
}

void EditorWindow::OnCommand(int id, int code) {
  const bool clicked = code == BN_CLICKED;
  switch (id) {
    case kHourRadio:
    case kMinuteRadio:
    case kSecondRadio:
      if (clicked && hand_ != static_cast<HandId>(id - kHourRadio)) {
        hand_ = static_cast<HandId>(id - kHourRadio);
        selected_ = -1;
        ShowSkin();
      }
      return;
    case kColourButton:
      if (clicked) ChooseColour();
      return;
    case kSetButton:
    case kInsertButton:
      if (clicked) ApplyPointFields(id == kInsertButton);
      return;
    case kDeleteButton:
      if (clicked) OnFaceDeleteKey();
      return;
    case kBrowseButton:
      if (clicked) ChooseBitmap();
      return;
    case kPenEdit:
      if (code == EN_KILLFOCUS) ApplyPenWidth();
      return;
    case kStopButton:
      if (clicked) ApplyTime();
      return;
    case kPoseButton:
      if (clicked) {
        stoppedAt_ = kClassicPose;
        ShowFace();
      }
      return;
    case kLiveButton:
      if (clicked) {
        stoppedAt_.reset();
        ShowFace();
      }
      return;
    case kUndoButton:
      if (clicked) Edited(editor_.Undo());
      return;
    case kRedoButton:
      if (clicked) Edited(editor_.Redo());
      return;
    case kSaveButton:
      if (clicked) Save();
      return;
    case kSaveStartButton:
      if (clicked) SaveAndStartClock();
      return;
    case IDOK: {  // Enter in a field applies that field
      const HWND focus = GetFocus();
      if (focus == Item(kAngleEdit) || focus == Item(kPercentEdit)) ApplyPointFields(false);
      if (focus == Item(kPenEdit)) ApplyPenWidth();
      if (focus == Item(kTimeEdit)) ApplyTime();
      return;
    }
    default:
      return;
  }
}

void EditorWindow::OnListNotify(const NMHDR& header) {
  if (filling_) return;
  if (header.code == LVN_ITEMCHANGED) {
    const auto& change = reinterpret_cast<const NMLISTVIEW&>(header);
    if ((change.uNewState & LVIS_SELECTED) != 0 && (change.uOldState & LVIS_SELECTED) == 0)
      Select(change.iItem);
  } else if (header.code == LVN_KEYDOWN &&
             reinterpret_cast<const NMLVKEYDOWN&>(header).wVKey == VK_DELETE) {
    OnFaceDeleteKey();
  }
}

void EditorWindow::Select(int point) {
  selected_ = point;
  ShowPoints();
  ShowFace();
}

void EditorWindow::Edited(bool changed) {
  if (changed) notice_.clear();
  ShowSkin();
}

// --- The face: grab a point and drag it, or click the outline to put a new point there. ---

void EditorWindow::OnFacePress(int x, int y) {
  const ClockState dial = face_.DialOf(hand_);
  int point = PointAt(dial, Points(), x, y, kPointReach);
  if (point < 0) {
    const int segment = SegmentAt(dial, Points(), x, y, kOutlineReach);
    if (segment < 0) return;
    point = segment + 1;
    if (!editor_.InsertPoint(hand_, static_cast<std::size_t>(point), PointFromPixel(dial, x, y))) {
      notice_ = "A hand has at most 51 points, as the clock reads them.";
      ShowStatus();
      return;
    }
  }
  selected_ = point;
  editor_.BeginDrag();
  Edited(true);
}

void EditorWindow::OnFaceDrag(int x, int y) {
  if (selected_ < 0) return;
  const ShapePoint moved = PointFromPixel(face_.DialOf(hand_), x, y);
  if (!editor_.DragPoint(hand_, static_cast<std::size_t>(selected_), moved)) return;
  ShowPoints();
  ShowFace();
}

void EditorWindow::OnFaceRelease() {
  editor_.EndDrag();
  ShowSkin();
}

void EditorWindow::OnFaceRightClick(int x, int y) {
  const int point = PointAt(face_.DialOf(hand_), Points(), x, y, kPointReach);
  if (point < 0) return;
  selected_ = point;
  OnFaceDeleteKey();
}

void EditorWindow::OnFaceDeleteKey() {
  if (selected_ < 0) return;
  Edited(editor_.DeletePoint(hand_, static_cast<std::size_t>(selected_)));
}

// --- Fields and dialogs. ---

void EditorWindow::ApplyPointFields(bool insert) {
  const auto angle = ParseInt(Text(kAngleEdit));
  const auto percent = ParseInt(Text(kPercentEdit));
  if (!angle || !percent) {
    notice_ = "Angle and percent are whole numbers.";
    ShowStatus();
    return;
  }
  const ShapePoint point{*angle, *percent};
  if (!insert) {
    if (selected_ >= 0) Edited(editor_.SetPoint(hand_, static_cast<std::size_t>(selected_), point));
    return;
  }
  const std::size_t at = selected_ >= 0 ? static_cast<std::size_t>(selected_) + 1 : Points().size();
  if (editor_.InsertPoint(hand_, at, point)) {
    selected_ = static_cast<int>(at);
    Edited(true);
  }
}

void EditorWindow::ApplyPenWidth() {
  const auto width = ParseInt(Text(kPenEdit));
  if (width && *width == editor_.document().penWidth) return;
  if (!width || !editor_.SetPenWidth(*width)) notice_ = "The pen is 1 to 32767 pixels wide.";
  Edited(false);
}

void EditorWindow::ApplyTime() {
  const auto time = ParseTimeOfDay(Text(kTimeEdit));
  if (!time) {
    notice_ = "The time is H:MM:SS, from 0:00:00 to 23:59:59.";
    ShowStatus();
    return;
  }
  stoppedAt_ = *time;
  ShowFace();
}

void EditorWindow::ChooseColour() {
  if (const auto colour = PickColour(hwnd_, editor_.document().hand(hand_).color))
    Edited(editor_.SetColor(hand_, *colour));
}

// A face from outside the skin folder is copied into it and named plainly, so the skin folder
// can be copied whole; the status says what happened.
void EditorWindow::ChooseBitmap() {
  const auto picked = PickBitmap(hwnd_);
  if (!picked) return;
  std::string problem;
  if (OpenFacePicture(slot_, *picked, problem).empty()) {
    ShowProblem(hwnd_, problem + "\n\nThe clock can't draw this file; the face stays as it was.");
    return;
  }
  std::error_code ec;
  const FaceImport face = BringFaceIntoSkin(std::filesystem::current_path(ec).string(), *picked);
  if (face.outcome == FaceImport::Outcome::kFailed) {
    ShowProblem(hwnd_, face.message);
    return;
  }
  Edited(editor_.SetBitmapName(face.name));
  notice_ = face.message;
  ShowStatus();
}

TimeOfDay EditorWindow::FaceTime() {
  return stoppedAt_ ? *stoppedAt_ : clock_.Now();
}

// --- Saving and closing. ---

bool EditorWindow::Save() {
  ApplyPenWidth();  // a width typed but not yet applied
  const SaveOutcome outcome = SaveSkin(slot_, editor_.document(), face_.width());
  if (!outcome.saved) {
    ShowProblem(hwnd_, "The skin was not saved.\n\n" + outcome.message);
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
    ShowProblem(hwnd_, "The skin is saved, but " + problem);
    return;
  }
  DestroyWindow(hwnd_);
}

void EditorWindow::Close() {
  if (editor_.HasUnsavedChanges()) {
    switch (AskBeforeClosing(hwnd_)) {
      case CloseChoice::kSave:
        if (!Save()) return;
        break;
      case CloseChoice::kDiscard:
        break;
      case CloseChoice::kStay:
        return;
    }
  }
  DestroyWindow(hwnd_);
}

}  // namespace quarvel
