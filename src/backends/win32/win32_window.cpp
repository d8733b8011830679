#include "backends/win32/win32_window.h"

#include <windowsx.h>

#include <string>

#include "backends/win32/win32_pixels.h"
#include "backends/win32/win32_resources.h"
#include "platform/opacity_scale.h"
#include "runtime/system_errors.h"

namespace quarvel {

namespace {
constexpr const char* kWindowClass = "QuarvelClock";
constexpr UINT kReassertPlace = WM_APP + 1;
constexpr UINT kDpiChanged = 0x02E0;  // WM_DPICHANGED, Windows 8.1 on

// A call that should not fail did: the core reports which and ends.
[[noreturn]] void FailedCall(const char* call) {
  throw SystemCallFailure("Win32", call, GetLastError());
}

// The toolkit's masks: Shift 1, Ctrl 2, Alt 4.
int16_t ModifierMask(SHORT(WINAPI* keyState)(int) = GetKeyState) {
  int16_t mask = 0;
  if (keyState(VK_SHIFT) < 0) mask |= 1;
  if (keyState(VK_CONTROL) < 0) mask |= 2;
  if (keyState(VK_MENU) < 0) mask |= 4;
  return mask;
}

// Left 1, right 2, middle 4.
int16_t ButtonMask(WPARAM keys) {
  int16_t mask = 0;
  if ((keys & MK_LBUTTON) != 0) mask |= 1;
  if ((keys & MK_RBUTTON) != 0) mask |= 2;
  if ((keys & MK_MBUTTON) != 0) mask |= 4;
  return mask;
}

bool RunningUnderWine() {
  HMODULE ntdll = GetModuleHandleA("ntdll.dll");
  return ntdll != nullptr && GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

ScreenPoint WindowPlace(HWND hwnd) {
  RECT r{};
  GetWindowRect(hwnd, &r);
  return {r.left, r.top};
}
}  // namespace

Win32Window::Win32Window(HINSTANCE instance) : underWine_(RunningUnderWine()) {
  WNDCLASSEXA wc{};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = &Win32Window::WindowProc;
  wc.hInstance = instance;
  wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
  wc.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(QUARVEL_ICON));
  wc.lpszClassName = kWindowClass;
  RegisterClassExA(&wc);
  // A borderless popup; WS_EX_TOOLWINDOW keeps it off the task bar.
  hwnd_ = CreateWindowExA(WS_EX_TOOLWINDOW, kWindowClass, "", WS_POPUP, 0, 0, 1, 1, nullptr,
                          nullptr, instance, this);
  if (hwnd_ == nullptr) FailedCall("CreateWindowEx");
}

void Win32Window::SetCaption(const std::string& caption) {
  SetWindowTextA(hwnd_, caption.c_str());
}

Win32Window::~Win32Window() {
  if (hwnd_ != nullptr) DestroyWindow(hwnd_);
}

LRESULT CALLBACK Win32Window::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* create = reinterpret_cast<CREATESTRUCTA*>(lParam);
    SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  auto* self = reinterpret_cast<Win32Window*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
  if (self == nullptr || self->hwnd_ == nullptr || self->events_ == nullptr)
    return DefWindowProcA(hwnd, message, wParam, lParam);
  return self->HandleMessage(message, wParam, lParam);
}

// Each message becomes one call into the core; what the window procedure then answers the
// system (a key that is not the clock's goes on to DefWindowProc) is the core's answer.
LRESULT Win32Window::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_TIMER:
      if (wParam >= 1 && wParam <= kTimerCount) events_->OnTimer(static_cast<TimerId>(wParam));
      return 0;
    case WM_LBUTTONDOWN:
      events_->OnMouseDown(1, PointerModifiers());
      return 0;
    case WM_RBUTTONDOWN:
      events_->OnMouseDown(2, PointerModifiers());
      return 0;
    case WM_MBUTTONDOWN:
      events_->OnMouseDown(4, PointerModifiers());
      return 0;
    case WM_MOUSEMOVE:
      events_->OnMouseMove(ButtonMask(wParam), PointerModifiers());
      return 0;
    case WM_KEYDOWN:
      events_->OnKeyDown(static_cast<int16_t>(wParam), ModifierMask());
      return 0;
    case WM_SYSKEYDOWN:
      // With Alt held the keys arrive as system keys; the clock's own keys still count, and
      // the rest (Alt+F4 among them) keep their system meaning.
      if (!events_->OnKeyDown(static_cast<int16_t>(wParam), ModifierMask())) break;
      return 0;
    case WM_PAINT: {
      PAINTSTRUCT ps;
      Paint(BeginPaint(hwnd_, &ps));
      EndPaint(hwnd_, &ps);
      return 0;
    }
    case WM_ERASEBKGND:
      return 1;  // Paint covers the whole client area
    case WM_CLOSE:
      events_->OnUnload();
      return 0;
    case WM_QUERYENDSESSION:
      return TRUE;
    case WM_ENDSESSION:
      // Log-off and shut-down close the clock like any close request.
      if (wParam != 0) events_->OnUnload();
      return 0;
    case WM_TIMECHANGE:
      events_->OnClockChanged();
      return 0;
    case WM_DISPLAYCHANGE:
      events_->OnScreenChanged();
      return 0;
    case kDpiChanged:
      // Dragged to a monitor of another scale: the core sizes the clock again, keeping its
      // top-left corner, rather than taking the system's suggested rectangle.
      events_->OnScreenScaleChanged();
      return 0;
    case WM_POWERBROADCAST:
      // Timers don't run while the machine sleeps: after waking the clock is behind.
      if (wParam == PBT_APMRESUMEAUTOMATIC || wParam == PBT_APMRESUMESUSPEND)
        events_->OnClockChanged();
      return TRUE;
    case WM_WINDOWPOSCHANGED: {
      // NOTE: see Position(): put Wine's idea of the place right again, or it sends the mouse
      // moves over the clock to where it thinks the clock is. During a drag the window
      // manager's moves are the place: Wine's move loop sends the mouse move that ends it
      // before BeginSystemDrag returns, and the core records the home from that move.
      const auto* pos = reinterpret_cast<const WINDOWPOS*>(lParam);
      if (underWine_ && (pos->flags & SWP_NOMOVE) == 0 &&
          (pos->x != place_.x || pos->y != place_.y)) {
        if (dragging_)
          place_ = {pos->x, pos->y};
        else
          PostMessageA(hwnd_, kReassertPlace, 0, 0);
      }
      break;
    }
    case WM_WINDOWPOSCHANGING:
      // Below all windows stays below: a click or an activation would raise it otherwise.
      if (heldBelow_) {
        auto* pos = reinterpret_cast<WINDOWPOS*>(lParam);
        if ((pos->flags & SWP_NOZORDER) == 0) pos->hwndInsertAfter = HWND_BOTTOM;
      }
      break;
    case kReassertPlace:
      SetWindowPos(hwnd_, nullptr, place_.x, place_.y, 0, 0,
                   SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    default:
      break;
  }
  return DefWindowProcA(hwnd_, message, wParam, lParam);
}

// NOTE: Wine updates a thread's key state (GetKeyState) only while a window of that thread is in
// front. Without the keyboard (which under openbox a Shift+click does not give it) the clock
// never saw Shift held and hid from the pointer that came to click it. Wine reads the keyboard
// afresh as the pointer enters one of its windows, into the state GetAsyncKeyState reads: under
// Wine the pointer's messages take the modifiers from there.
int16_t Win32Window::PointerModifiers() const {
  return underWine_ ? ModifierMask(GetAsyncKeyState) : ModifierMask();
}

void Win32Window::MoveTo(int32_t left, int32_t top) {
  SetWindowPos(hwnd_, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  place_ = WindowPlace(hwnd_);  // where it really went, should the system have refused
}

// NOTE: under Wine (8, with openbox) a window that comes back from off-screen gets a second
// move to (0, 0) a moment later, which only Wine believes: X shows the window where the clock
// put it. Taking the home from there would park and bring the clock back at the top edge from
// the second round on, and then lose it. Under Wine the place is the one the window was last
// moved to, by the clock or by a drag; on Windows it is what the system says.
ScreenPoint Win32Window::Position() const {
  return underWine_ ? place_ : WindowPlace(hwnd_);
}

void Win32Window::Resize(int32_t width, int32_t height) {
  // A popup has no frame: its outer size is its drawing area.
  SetWindowPos(hwnd_, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Win32Window::SetRoundRegion(int32_t diameter) {
  // The window owns the region from here on.
  SetWindowRgn(hwnd_, CreateEllipticRgn(0, 0, diameter, diameter), TRUE);
}

void Win32Window::SetLayer(WindowLayer layer) {
  const bool topmost = layer == WindowLayer::kTopmost;
  heldBelow_ = false;  // a move out of the bottom is not held back
  // SWP_NOSIZE | SWP_NOMOVE | SWP_SHOWWINDOW (0x43): place and size stay, the window shows.
  SetWindowPos(hwnd_, topmost ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
               SWP_NOSIZE | SWP_NOMOVE | SWP_SHOWWINDOW);
  if (layer != WindowLayer::kBelow) return;
  // Out of the top-most layer first: Wine keeps a top-most window top-most at HWND_BOTTOM.
  SetWindowPos(hwnd_, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE);
  heldBelow_ = true;
}

// A layered window with one alpha for all of it; the round region still cuts it. Opaque, it is
// the plain window again, drawn as it always was.
void Win32Window::SetOpacity(int percent) {
  const auto alpha = static_cast<BYTE>(OpacityOnScale(percent, 255));
  const LONG_PTR style = GetWindowLongPtrA(hwnd_, GWL_EXSTYLE);
  if (alpha == 255) {
    SetWindowLongPtrA(hwnd_, GWL_EXSTYLE, style & ~static_cast<LONG_PTR>(WS_EX_LAYERED));
    return;
  }
  SetWindowLongPtrA(hwnd_, GWL_EXSTYLE, style | WS_EX_LAYERED);
  if (!SetLayeredWindowAttributes(hwnd_, 0, alpha, LWA_ALPHA))
    FailedCall("SetLayeredWindowAttributes");
}

void Win32Window::Show() {
  if (!IsWindowVisible(hwnd_)) ShowWindow(hwnd_, SW_SHOW);
  UpdateWindow(hwnd_);
}

void Win32Window::BeginSystemDrag() {
  // NOTE: Wine hands the move to the window manager at once (_NET_WM_MOVERESIZE); after a click,
  // the button up before the window manager took the move, openbox moved the clock with no
  // button held and kept the keyboard. Under Wine the move starts once the pointer leaves the
  // system's drag rectangle with the button down (DragDetect, which returns at the release of a
  // click), and the clock first catches up with the pointer, so it keeps its grip.
  if (underWine_) {
    const DWORD pressed = GetMessagePos();
    const POINT press{GET_X_LPARAM(pressed), GET_Y_LPARAM(pressed)};
    if (!DragDetect(hwnd_, press)) return;
    POINT now{};
    GetCursorPos(&now);
    MoveTo(place_.x + now.x - press.x, place_.y + now.y - press.y);
  }
  // The press becomes a drag of a title bar: the window system's own move loop, which returns
  // when the button is released.
  ReleaseCapture();
  dragging_ = true;
  SendMessageA(hwnd_, WM_NCLBUTTONDOWN, HTCAPTION, 0);
  dragging_ = false;
  place_ = WindowPlace(hwnd_);
  // NOTE: Windows sends a mouse move when its move loop ends, and the core records the home
  // from it. Wine's loop sends one only when its last idea of the pointer was another place,
  // which it often is not: a clock closed right after a drag then kept the old place. Under
  // Wine the end of the loop with the pointer on the clock is told once more here.
  POINT pointer{};
  if (underWine_ && events_ != nullptr && GetCursorPos(&pointer) &&
      WindowFromPoint(pointer) == hwnd_)
    events_->OnMouseMove(0, PointerModifiers());
}

void Win32Window::Present(const PixelImage& face, const ImageRect& changed) {
  face_ = &face;
  HDC dc = GetDC(hwnd_);
  PaintPixels(dc, face, changed);
  ReleaseDC(hwnd_, dc);
}

void Win32Window::Paint(HDC dc) {
  if (face_ != nullptr) PaintPixels(dc, *face_);
}

void Win32Window::StartTimer(TimerId timer, int milliseconds) {
  // Setting a timer that runs restarts it with the new interval.
  if (SetTimer(hwnd_, static_cast<UINT_PTR>(timer), static_cast<UINT>(milliseconds), nullptr) == 0)
    FailedCall("SetTimer");
}

void Win32Window::StopTimer(TimerId timer) {
  KillTimer(hwnd_, static_cast<UINT_PTR>(timer));
}

}  // namespace quarvel
