#include "apps/qvedit-win32/editor_window.h"

#include <commctrl.h>

#include <algorithm>
#include <charconv>
#include <filesystem>
#include <system_error>

#include "apps/qvedit-win32/clock_start.h"
#include "apps/qvedit-win32/skin_dialogs.h"
#include "backends/win32/win32_resources.h"
#include "core/skineditor/clock_size.h"
#include "core/skineditor/dial_frame.h"
#include "core/skineditor/editor_names.h"
#include "core/skineditor/face_import.h"
#include "core/skineditor/face_time.h"
#include "core/skineditor/skin_files.h"
#include "core/skineditor/skin_folder.h"

namespace quarvel {

namespace {
constexpr const char* kWindowClass = "QuarvelSkinEditor";
constexpr UINT_PTR kTickTimer = 1;
constexpr UINT kTickMs = 100;            // a change of second shows within a tenth of a second
constexpr UINT kSelectAll = WM_APP + 1;  // posted: select a field's text once the click is done

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
                          WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, CW_USEDEFAULT, CW_USEDEFAULT, 640,
                          600, nullptr, nullptr, instance, this);
}

EditorWindow::~EditorWindow() {
  if (swatch_ != nullptr) DeleteObject(swatch_);
  if (font_ != nullptr) DeleteObject(font_);
}

void EditorWindow::Open(int showCommand) {
  const OpenedSkin opened = OpenSkin(slot_);
  editor_ = SkinEditor(opened.document);
  onDisk_ = opened.onDisk();
  ShowSkin();
  SizeToWorkArea();
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
  OfferRecovery();
}

bool EditorWindow::TranslateShortcut(const MSG& msg) {
  if (msg.message != WM_KEYDOWN) return false;
  if (msg.wParam == VK_DELETE && GetKeyState(VK_CONTROL) >= 0) {
    // Delete in a text field deletes text; anywhere else the selected point.
    char name[16] = {};
    GetClassNameA(GetFocus(), name, sizeof name);
    if (lstrcmpiA(name, "Edit") == 0 || GetAncestor(msg.hwnd, GA_ROOT) != hwnd_) return false;
    OnFaceDeleteKey();
    return true;
  }
  if (GetKeyState(VK_CONTROL) >= 0 || GetAncestor(msg.hwnd, GA_ROOT) != hwnd_) return false;
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
    case WM_VSCROLL:  // the pen's up-down control has changed its field, or the panel scrolls
      if (reinterpret_cast<HWND>(lParam) == Item(kPenUpDown)) ApplyPenWidth();
      if (reinterpret_cast<HWND>(lParam) == Item(kPanelScroll)) OnPanelScroll(LOWORD(wParam));
      return 0;
    case WM_MOUSEWHEEL:  // over the panel, or from one of its controls
      OnPanelWheel(GET_WHEEL_DELTA_WPARAM(wParam));
      return 0;
    case WM_SIZE:
      if (wParam != SIZE_MINIMIZED && faceView_) PlaceControls();
      return 0;
    case WM_GETMINMAXINFO:
      reinterpret_cast<MINMAXINFO*>(lParam)->ptMinTrackSize = MinimumSize();
      return 0;
    case WM_DPICHANGED:
      OnDpiChanged(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
      return 0;
    case kSelectAll:
      SendMessageA(reinterpret_cast<HWND>(lParam), EM_SETSEL, 0, -1);
      return 0;
    case WM_CTLCOLORSTATIC:
      if (reinterpret_cast<HWND>(lParam) == Item(kColourSwatch) && swatch_ != nullptr)
        return reinterpret_cast<LRESULT>(swatch_);
      break;
    case WM_TIMER:
      if (wParam == kTickTimer && !stoppedAt_ && clock_.Now().seconds != shownSecond_) ShowFace();
      return 0;
    case WM_CLOSE:
      // A second close while the question is open (taskkill again, the session): no answer
      // will come, the edits are kept.
      if (asking_)
        EndKeepingWork();
      else
        Close();
      return 0;
    case WM_QUERYENDSESSION:  // kept before the answer: the session may end without a word
      KeepUnsavedWork();
      return TRUE;
    case WM_ENDSESSION:
      if (wParam) EndKeepingWork();
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
  if (code == EN_SETFOCUS &&
      (id == kAngleEdit || id == kPercentEdit || id == kPenEdit || id == kTimeEdit)) {
    // A click into a field takes its whole text, so what is typed replaces it. Posted: the
    // click itself puts the caret first.
    PostMessageA(hwnd_, kSelectAll, 0, reinterpret_cast<LPARAM>(Item(id)));
    return;
  }
  switch (id) {
    case kSymmetricCheck:
      if (clicked) editor_.SetSymmetric(IsDlgButtonChecked(hwnd_, kSymmetricCheck) == BST_CHECKED);
      return;
    case kZoomCombo:
      if (code == CBN_SELCHANGE) {
        const auto index = SendMessageA(Item(kZoomCombo), CB_GETCURSEL, 0, 0);
        if (index >= 0 && index < 4) SetZoom(kAllZooms[index]);
      }
      return;
    case kNewButton:
      if (clicked) NewSkin();
      return;
    case kOpenButton:
      if (clicked) OpenSkinFolder();
      return;
    case kCopyButton:
      if (clicked) SaveCopy();
      return;
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
    case kSizeCombo:
      if (code == CBN_SELCHANGE) {
        const auto index = SendMessageA(Item(kSizeCombo), CB_GETCURSEL, 0, 0);
        if (index >= 0 && index < static_cast<LRESULT>(kSizeChoices.size()))
          ApplySize(SizeText(kSizeChoices[static_cast<std::size_t>(index)]));
      } else if (code == CBN_KILLFOCUS) {
        ApplySize(Text(kSizeCombo));
      }
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
      if (GetParent(focus) == Item(kSizeCombo)) ApplySize(Text(kSizeCombo));
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
  int point = PointAtScreen(zoom_, dial, Points(), {x, y});
  if (point < 0) {
    const int segment = SegmentAtScreen(zoom_, dial, Points(), {x, y});
    if (segment < 0) return;
    point = segment + 1;
    if (!editor_.InsertPoint(hand_, static_cast<std::size_t>(point),
                             PointFromScreen(zoom_, dial, {x, y}))) {
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
  const ShapePoint moved = PointFromScreen(zoom_, face_.DialOf(hand_), {x, y});
  if (!editor_.DragPoint(hand_, static_cast<std::size_t>(selected_), moved)) return;
  ShowPoints();
  ShowFace();
}

void EditorWindow::OnFaceRelease() {
  editor_.EndDrag();
  ShowSkin();
}

void EditorWindow::OnFaceRightClick(int x, int y) {
  const int point = PointAtScreen(zoom_, face_.DialOf(hand_), Points(), {x, y});
  if (point < 0) return;
  selected_ = point;
  OnFaceDeleteKey();
}

void EditorWindow::OnFaceArrow(int degrees, int percent) {
  if (selected_ < 0) return;
  Edited(editor_.NudgePoint(hand_, static_cast<std::size_t>(selected_), degrees, percent));
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

void EditorWindow::SetZoom(Zoom zoom) {
  const ScreenPoint middle = zoom_.MiddleFacePixel();
  zoom_.SetZoom(zoom);
  zoom_.CentreOn(middle);
  SendMessageA(Item(kZoomCombo), CB_SETCURSEL, static_cast<WPARAM>(zoom), 0);
  ShowFace();
}

void EditorWindow::OnDpiChanged(UINT dpi, const RECT& suggested) {
  SetUpFont();
  dpi_ = dpi;
  SetWindowPos(hwnd_, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
               suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
  PlaceControls();
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

void EditorWindow::ApplySize(const std::string& text) {
  const auto percent = ParseSize(text);
  if (percent && *percent == editor_.document().sizePercent) {
    SetText(kSizeCombo, SizeText(*percent));  // "150" typed shows as "150 %"
    return;
  }
  if (!percent || !editor_.SetSizePercent(*percent)) notice_ = kSizeLimitNotice;
  Edited(false);
  SetText(kSizeCombo, SizeText(editor_.document().sizePercent));
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

// A face from outside the skin folder is copied into it at the save and named plainly, so the
// skin folder can be copied whole; nothing on disk changes before.
void EditorWindow::ChooseBitmap() {
  const auto picked = PickBitmap(hwnd_);
  if (!picked) return;
  std::string problem;
  if (OpenFacePicture(slot_, *picked, problem).empty()) {
    ShowProblem(hwnd_, problem + "\n\nThe clock can't draw this file; the face stays as it was.");
    return;
  }
  std::error_code ec;
  const std::string name = PickedFaceName(std::filesystem::current_path(ec).string(), *picked);
  Edited(editor_.SetBitmapName(name));
  if (std::filesystem::path(name).has_root_path()) notice_ = kFaceCopiedAtSave;
  ShowStatus();
}

TimeOfDay EditorWindow::FaceTime() {
  return stoppedAt_ ? *stoppedAt_ : clock_.Now();
}

// --- Skin folders. ---

// The default skin is built into the editor: the files beside qvedit.exe are a skin the author
// may have saved over.
void EditorWindow::NewSkin() {
  if (!MayLeaveSkin("opening another skin")) return;
  const auto folder = PickFolder(hwnd_, "Pick an empty folder for the new skin");
  if (!folder) return;
  const FolderOutcome made = NewSkinFolder(*folder);
  if (!made.done) {
    ShowProblem(hwnd_, "No new skin was made.\n\n" + made.message);
    return;
  }
  if (SwitchToFolder(*folder)) notice_ = "A new skin, from the default skin.";
  ShowStatus();
}

void EditorWindow::OpenSkinFolder() {
  if (!MayLeaveSkin("opening another skin")) return;
  if (const auto folder = PickFolder(hwnd_, "Open the skin in this folder"))
    SwitchToFolder(*folder);
}

// The copy is the skin from now on: the next save and the clock started go there.
void EditorWindow::SaveCopy() {
  ApplyPenWidth();
  ApplySize(Text(kSizeCombo));
  const auto folder = PickFolder(hwnd_, "Save a copy of the skin into this folder");
  if (!folder) return;
  std::error_code ec;
  const FolderOutcome copied = SaveSkinCopy(
      editor_.document(), std::filesystem::current_path(ec).string(), *folder, face_.width());
  if (!copied.done) {
    ShowProblem(hwnd_, "No copy was saved.\n\n" + copied.message);
    return;
  }
  if (SwitchToFolder(*folder)) notice_ = "Saved a copy; you are editing the copy.";
  ShowStatus();
}

bool EditorWindow::SwitchToFolder(const std::string& folder) {
  if (!SetCurrentDirectoryA(folder.c_str())) {
    ShowProblem(hwnd_, "\"" + folder + "\" can't be opened (error " +
                           std::to_string(GetLastError()) + ").");
    return false;
  }
  OpenCurrentFolder();
  OfferRecovery();
  return true;
}

void EditorWindow::OpenCurrentFolder() {
  const OpenedSkin opened = OpenSkin(slot_);
  const bool symmetric = editor_.symmetric();
  editor_ = SkinEditor(opened.document);
  onDisk_ = opened.onDisk();
  editor_.SetSymmetric(symmetric);
  selected_ = -1;
  faceBitmap_.reset();  // the face is read again
  notice_.clear();
  for (const std::string& problem : opened.problems) notice_ += problem + "\n";
  ShowSkin();
}

// --- Saving and closing. ---

bool EditorWindow::Save() {
  ApplyPenWidth();  // a width or size typed but not yet applied
  ApplySize(Text(kSizeCombo));
  const SaveOutcome outcome = SaveSkin(slot_, editor_.document(), face_.width(), onDisk_);
  if (!outcome.saved) {
    ShowProblem(hwnd_, "The skin was not saved.\n\n" + outcome.message);
    return false;
  }
  editor_.MarkSaved(onDisk_.document);
  recovery_.Drop(Folder());
  notice_ = "Saved." + (outcome.message.empty() ? "" : " " + outcome.message);
  ShowSkin();  // a face picked elsewhere has its name in the skin folder now
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

// The edits kept for this folder go with the unsaved changes, saved or dropped as the author
// says; a question the editor's end cut short is no answer.
bool EditorWindow::MayLeaveSkin(const char* doing) {
  const bool may = quarvel::MayLeaveSkin(
      editor_,
      [&] {
        asking_ = true;
        const CloseChoice choice = AskBeforeLeaving(hwnd_, doing);
        asking_ = false;
        return ending_ ? CloseChoice::kStay : choice;
      },
      [this] { return Save(); });
  if (may) recovery_.Drop(Folder());
  return may;
}

void EditorWindow::Close() {
  if (!ending_ && MayLeaveSkin("closing")) DestroyWindow(hwnd_);
}

}  // namespace quarvel
