#include "platform/win32/win32_window.h"

#include "platform/win32/win32_error_report.h"
#include "runtime/checked_math.h"
#include "runtime/runtime_error.h"

namespace quarvel {

namespace {
constexpr const char* kWindowClass = "QuarvelClock";

int TimerIndex(TimerId timer) {
  return static_cast<int>(timer) - 1;
}

// The toolkit's masks: Shift 1, Ctrl 2, Alt 4.
int16_t ModifierMask() {
  int16_t mask = 0;
  if (GetKeyState(VK_SHIFT) < 0) mask |= 1;
  if (GetKeyState(VK_CONTROL) < 0) mask |= 2;
  if (GetKeyState(VK_MENU) < 0) mask |= 4;
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

bool IsClockKey(WPARAM key) {
  return key == 'Z' || key == 'X' || key == 'C' || key == 'A';
}
}  // namespace

Win32Window::Win32Window(HINSTANCE instance, const char* title, float twipsPerPixelX,
                         float twipsPerPixelY)
    : fx_(twipsPerPixelX), fy_(twipsPerPixelY) {
  WNDCLASSEXA wc{};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = &Win32Window::WindowProc;
  wc.hInstance = instance;
  wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
  wc.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(1));
  wc.lpszClassName = kWindowClass;
  RegisterClassExA(&wc);
  // A borderless popup; WS_EX_TOOLWINDOW keeps it off the task bar.
  hwnd_ = CreateWindowExA(WS_EX_TOOLWINDOW, kWindowClass, title, WS_POPUP, 0, 0, 1, 1, nullptr,
                          nullptr, instance, this);
  if (hwnd_ == nullptr) ReportPlatformFailure("CreateWindowEx");
  // The designed drawing area and measuring picture box, until start-up sizes them.
  measuringWidth_ =
      static_cast<float>(Round32(kDesignedPictureWidthTwips / static_cast<double>(fx_)));
  Resize(Round32(kDesignedWidthTwips / static_cast<double>(fx_)),
         Round32(kDesignedHeightTwips / static_cast<double>(fy_)));
}

Win32Window::~Win32Window() {
  if (canvasDc_ != nullptr) {
    SelectObject(canvasDc_, canvasOld_);
    DeleteDC(canvasDc_);
  }
  if (canvas_ != nullptr) DeleteObject(canvas_);
  if (picture_ != nullptr) DeleteObject(picture_);
  if (pen_ != nullptr) DeleteObject(pen_);
  if (hwnd_ != nullptr) DestroyWindow(hwnd_);
}

LRESULT CALLBACK Win32Window::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* create = reinterpret_cast<CREATESTRUCTA*>(lParam);
    SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  auto* self = reinterpret_cast<Win32Window*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
  if (self == nullptr || self->hwnd_ == nullptr)
    return DefWindowProcA(hwnd, message, wParam, lParam);
  // NOTE: a run-time error must not unwind through the window system's frames; it ends the
  // process here with the error report, as an unhandled error does.
  try {
    return self->HandleMessage(message, wParam, lParam);
  } catch (const RuntimeError& e) {
    ReportRuntimeErrorAndExit(e);
  }
}

// A pure translation: each message becomes one call into the core.
LRESULT Win32Window::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_TIMER:
      if (events_ != nullptr && wParam >= 1 && wParam <= kTimerCount)
        events_->OnTimer(static_cast<TimerId>(wParam));
      return 0;
    case WM_LBUTTONDOWN:
      if (events_ != nullptr) events_->OnMouseDown(1, ModifierMask());
      return 0;
    case WM_RBUTTONDOWN:
      if (events_ != nullptr) events_->OnMouseDown(2, ModifierMask());
      return 0;
    case WM_MBUTTONDOWN:
      if (events_ != nullptr) events_->OnMouseDown(4, ModifierMask());
      return 0;
    case WM_MOUSEMOVE:
      if (events_ != nullptr) events_->OnMouseMove(ButtonMask(wParam), ModifierMask());
      return 0;
    case WM_KEYDOWN:
      if (events_ != nullptr) events_->OnKeyDown(static_cast<int16_t>(wParam), ModifierMask());
      return 0;
    case WM_SYSKEYDOWN:
      // With Alt held the keys arrive as system keys; the clock's own keys still count, and
      // the rest (Alt+F4 among them) keep their system meaning.
      if (events_ != nullptr && IsClockKey(wParam)) {
        events_->OnKeyDown(static_cast<int16_t>(wParam), ModifierMask());
        return 0;
      }
      return DefWindowProcA(hwnd_, message, wParam, lParam);
    case WM_PAINT:
      Paint();
      return 0;
    case WM_ERASEBKGND:
      return 1;  // Paint covers the whole client area
    case WM_CLOSE:
      if (events_ != nullptr) events_->OnUnload();
      return 0;
    case WM_QUERYENDSESSION:
      return TRUE;
    case WM_ENDSESSION:
      // Log-off and shut-down close the clock like any close request.
      if (wParam != 0 && events_ != nullptr) events_->OnUnload();
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    default:
      return DefWindowProcA(hwnd_, message, wParam, lParam);
  }
}

namespace {
HBITMAP LoadBitmapFile(const std::string& path) {
  if (GetFileAttributesA(path.c_str()) == INVALID_FILE_ATTRIBUTES)
    throw RuntimeError(ErrorNumber::kFileNotFound, path);
  auto* bitmap = static_cast<HBITMAP>(
      LoadImageA(nullptr, path.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION));
  if (bitmap == nullptr) throw RuntimeError(ErrorNumber::kInvalidPicture, path);
  return bitmap;
}

BITMAP BitmapInfo(HBITMAP bitmap) {
  BITMAP info{};
  GetObjectA(bitmap, sizeof info, &info);
  return info;
}
}  // namespace

void Win32Window::LoadBackgroundPicture(const std::string& path) {
  HBITMAP bitmap = LoadBitmapFile(path);
  const BITMAP info = BitmapInfo(bitmap);
  if (picture_ != nullptr) DeleteObject(picture_);
  picture_ = bitmap;
  pictureWidth_ = info.bmWidth;
  pictureHeight_ = info.bmHeight < 0 ? -info.bmHeight : info.bmHeight;
  Cls();
}

void Win32Window::LoadMeasuringPicture(const std::string& path) {
  HBITMAP bitmap = LoadBitmapFile(path);
  measuringWidth_ = static_cast<float>(BitmapInfo(bitmap).bmWidth);
  DeleteObject(bitmap);
}

void Win32Window::Resize(int width, int height) {
  // A popup has no frame: its outer size is its drawing area.
  SetWindowPos(hwnd_, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  clientWidth_ = width;
  clientHeight_ = height;
  RebuildCanvas();
}

void Win32Window::SetWidthTwips(float twips) {
  Resize(Round32(twips / static_cast<double>(fx_)), clientHeight_);
}

void Win32Window::SetHeightTwips(float twips) {
  Resize(clientWidth_, Round32(twips / static_cast<double>(fy_)));
}

RECT Win32Window::WindowRect() const {
  RECT r{};
  GetWindowRect(hwnd_, &r);
  return r;
}

void Win32Window::MoveTo(int x, int y) {
  SetWindowPos(hwnd_, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Win32Window::SetLeftTwips(float twips) {
  MoveTo(Round32(twips / static_cast<double>(fx_)), WindowRect().top);
}

void Win32Window::SetTopTwips(float twips) {
  MoveTo(WindowRect().left, Round32(twips / static_cast<double>(fy_)));
}

float Win32Window::LeftTwips() const {
  return static_cast<float>(WindowRect().left) * fx_;
}

float Win32Window::TopTwips() const {
  return static_cast<float>(WindowRect().top) * fy_;
}

void Win32Window::SetEllipticRegion(int32_t diameter) {
  // The window owns the region from here on.
  HRGN region = CreateEllipticRgn(0, 0, diameter, diameter);
  SetWindowRgn(hwnd_, region, TRUE);
}

void Win32Window::SetTopmostLayer(bool topmost) {
  // SWP_NOSIZE | SWP_NOMOVE | SWP_SHOWWINDOW (0x43): place and size stay, the window shows.
  SetWindowPos(hwnd_, topmost ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
               SWP_NOSIZE | SWP_NOMOVE | SWP_SHOWWINDOW);
}

void Win32Window::SetTimerInterval(TimerId timer, int milliseconds) {
  timerIntervals_[TimerIndex(timer)] = milliseconds;
  if (TimerEnabled(timer)) SetTimerEnabled(timer, true);  // restart with the new interval
}

void Win32Window::SetTimerEnabled(TimerId timer, bool enabled) {
  const int i = TimerIndex(timer);
  timerEnabled_[i] = enabled;
  const auto id = static_cast<UINT_PTR>(timer);
  if (enabled) {
    if (SetTimer(hwnd_, id, static_cast<UINT>(timerIntervals_[i]), nullptr) == 0)
      ReportPlatformFailure("SetTimer");
  } else {
    KillTimer(hwnd_, id);
  }
}

bool Win32Window::TimerEnabled(TimerId timer) const {
  return timerEnabled_[TimerIndex(timer)];
}

void Win32Window::BeginSystemDrag() {
  // The press becomes a drag of a title bar: the window system's own move loop, which returns
  // when the button is released.
  ReleaseCapture();
  SendMessageA(hwnd_, WM_NCLBUTTONDOWN, HTCAPTION, 0);
}

void Win32Window::Show() {
  if (!IsWindowVisible(hwnd_)) ShowWindow(hwnd_, SW_SHOW);
  UpdateWindow(hwnd_);
}

}  // namespace quarvel
