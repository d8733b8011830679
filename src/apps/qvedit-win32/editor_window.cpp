// The window itself: its class, its messages, its start, its shortcuts, and its end, by the
// author's close or from outside.
#include "apps/qvedit-win32/editor_window.h"

#include <commctrl.h>

#include "backends/win32/win32_resources.h"
#include "core/skineditor/editor_names.h"
#include "core/skineditor/session_messages.h"

namespace quarvel {

namespace {
constexpr const char* kWindowClass = "QuarvelSkinEditor";
constexpr UINT_PTR kTickTimer = 1;
constexpr UINT kTickMs = 100;  // a change of second shows within a tenth of a second
}  // namespace

EditorWindow::EditorWindow(HINSTANCE instance)
    : instance_(instance), session_(*this, clock_, RecoveryStore::ForThisUser()) {
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
  if (msg.wParam == 'Z')
    OnClick(kUndoButton);
  else if (msg.wParam == 'Y')
    OnClick(kRedoButton);
  else if (msg.wParam == 'S')
    OnClick(kSaveButton);
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
  const auto from = reinterpret_cast<HWND>(lParam);
  switch (message) {
    case WM_COMMAND:
      OnCommand(LOWORD(wParam), HIWORD(wParam));
      return 0;
    case WM_NOTIFY:
      if (reinterpret_cast<const NMHDR*>(lParam)->idFrom == kPointList)
        OnListNotify(*reinterpret_cast<const NMHDR*>(lParam));
      return 0;
    case WM_VSCROLL:  // the pen's up-down control has changed its field, or the panel scrolls
      if (from == Item(kPenUpDown)) ApplyPenWidth();
      if (from == Item(kPanelScroll)) OnPanelScroll(LOWORD(wParam));
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
      SendMessageA(from, EM_SETSEL, 0, -1);
      return 0;
    case WM_CTLCOLORSTATIC:
      if (from == Item(kColourSwatch) && swatch_ != nullptr)
        return reinterpret_cast<LRESULT>(swatch_);
      break;
    case WM_TIMER:
      if (wParam == kTickTimer && session_.SecondChanged()) ShowFace();
      return 0;
    default:
      if (HandleEnd(message, wParam)) return message == WM_QUERYENDSESSION ? TRUE : 0;
      break;
  }
  return DefWindowProcA(hwnd_, message, wParam, lParam);
}

bool EditorWindow::HandleEnd(UINT message, WPARAM wParam) {
  switch (message) {
    case WM_CLOSE:
      // A second close while the question is open (taskkill again, the session): no answer
      // will come, the edits are kept.
      if (asking_)
        EndKeepingWork();
      else
        Close();
      return true;
    case WM_QUERYENDSESSION:  // kept before the answer: the session may end without a word
      session_.KeepUnsavedWork();
      return true;
    case WM_ENDSESSION:
      if (wParam) EndKeepingWork();
      return true;
    case WM_DESTROY:
      KillTimer(hwnd_, kTickTimer);
      PostQuitMessage(0);
      return true;
    default:
      return false;
  }
}

void EditorWindow::Close() {
  if (!session_.ending() && session_.MayLeaveSkin(messages::kClosing)) DestroyWindow(hwnd_);
}

void EditorWindow::EndKeepingWork() {
  // Every message loop ends: a message box open now returns, then the editor's own.
  if (session_.EndKeepingWork()) PostQuitMessage(0);
}

}  // namespace quarvel
