// The window itself: its class, its messages each handed to the panel or part it concerns, its
// start and its shortcuts.
#include "apps/qvedit-win32/editor_window.h"

#include <commctrl.h>

#include "apps/qvedit-win32/options_panel.h"
#include "apps/qvedit-win32/panel_scroller.h"
#include "apps/qvedit-win32/point_panel.h"
#include "apps/qvedit-win32/skin_panel.h"
#include "apps/qvedit-win32/time_panel.h"
#include "backends/win32/win32_resources.h"
#include "core/skineditor/editor_names.h"

namespace quarvel {

namespace {
constexpr const char* kWindowClass = "QuarvelSkinEditor";
constexpr UINT_PTR kTickTimer = 1;
constexpr UINT kTickMs = 100;  // a change of second shows within a tenth of a second
}  // namespace

EditorWindow::EditorWindow(HINSTANCE instance)
    : instance_(instance),
      // Top to bottom, which is the tab order.
      form_{&FolderPart(),         &SkinPanel::HandsPart(),
            &PointPanel::Part(),   &SkinPanel::SettingsPart(),
            &OptionsPanel::Part(), &TimePanel::Part(),
            &CommandsPart()},
      session_(*this, clock_, RecoveryStore::ForThisUser()) {
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
  if (font_ != nullptr) DeleteObject(font_);
}

void EditorWindow::Open(int showCommand) {
  const std::string problems = session_.OpenWorkingFolder();
  SizeToWorkArea();
  ShowWindow(hwnd_, showCommand);
  UpdateWindow(hwnd_);
  SetTimer(hwnd_, kTickTimer, kTickMs, nullptr);
  session_.ReportOpenProblems(problems);
  session_.OfferRecovery();
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
  if (msg.wParam == 'Z') return OnCommandClick(kUndoButton);
  if (msg.wParam == 'Y') return OnCommandClick(kRedoButton);
  if (msg.wParam == 'S') return OnCommandClick(kSaveButton);
  return false;
}

void EditorWindow::ShowFocusedControl() {
  scroller_->ShowFocused(faceView_->handle(), Margin());
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
  if (message == WM_GETMINMAXINFO) {  // also before the controls are made
    reinterpret_cast<MINMAXINFO*>(lParam)->ptMinTrackSize = self->MinimumSize();
    return 0;
  }
  if (!self->faceView_) return DefWindowProcA(hwnd, message, wParam, lParam);
  return self->HandleMessage(message, wParam, lParam);
}

LRESULT EditorWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  const auto from = reinterpret_cast<HWND>(lParam);
  switch (message) {
    case WM_COMMAND:
      OnCommand(LOWORD(wParam), HIWORD(wParam));
      return 0;
    case WM_NOTIFY:
      if (reinterpret_cast<const NMHDR*>(lParam)->idFrom == kPointList)
        points_->OnListNotify(*reinterpret_cast<const NMHDR*>(lParam));
      return 0;
    case WM_VSCROLL:  // the pen's up-down control has changed its field, or the panel scrolls
      if (from == GetDlgItem(hwnd_, kPenUpDown)) skin_->OnPenSpin();
      if (options_->IsOpacitySpin(from)) options_->OnOpacitySpin();
      if (scroller_->IsBar(from)) scroller_->OnScroll(LOWORD(wParam));
      return 0;
    case WM_MOUSEWHEEL:  // over the panel, or from one of its controls
      scroller_->OnWheel(GET_WHEEL_DELTA_WPARAM(wParam));
      return 0;
    case WM_SIZE:
      if (wParam != SIZE_MINIMIZED) PlaceControls();
      return 0;
    case WM_DPICHANGED:
      OnDpiChanged(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
      return 0;
    case kSelectAll:
      SendMessageA(from, EM_SETSEL, 0, -1);
      return 0;
    case WM_CTLCOLORSTATIC:
      if (HBRUSH swatch = skin_->SwatchBrush(from)) return reinterpret_cast<LRESULT>(swatch);
      break;
    case WM_TIMER:
      if (wParam == kTickTimer && session_.SecondChanged()) ShowFace();
      return 0;
    case WM_DESTROY:
      KillTimer(hwnd_, kTickTimer);
      PostQuitMessage(0);
      return 0;
    default:
      if (keeper_.Handle(hwnd_, message, wParam)) return message == WM_QUERYENDSESSION ? TRUE : 0;
      break;
  }
  return DefWindowProcA(hwnd_, message, wParam, lParam);
}

void EditorWindow::OnCommand(int id, int code) {
  if (code == EN_SETFOCUS && (id == kAngleEdit || id == kPercentEdit || id == kPenEdit ||
                              id == kTimeEdit || id == kOpacityEdit || id == kTimeZoneEdit)) {
    // A click into a field takes its whole text, so what is typed replaces it. Posted: the
    // click itself puts the caret first.
    PostMessageA(hwnd_, kSelectAll, 0, reinterpret_cast<LPARAM>(GetDlgItem(hwnd_, id)));
    return;
  }
  if (id == IDOK) return OnEnter();
  if (code == BN_CLICKED) {
    if (skin_->OnClick(id) || points_->OnClick(id) || time_->OnClick(id) || options_->OnClick(id))
      return;
    OnCommandClick(id);
    return;
  }
  if (!skin_->OnNotify(id, code)) options_->OnNotify(id, code);
}

void EditorWindow::OnEnter() {
  const HWND focus = GetFocus();
  if (!points_->OnEnter(focus) && !skin_->OnEnter(focus) && !options_->OnEnter(focus))
    time_->OnEnter(focus);
}

}  // namespace quarvel
