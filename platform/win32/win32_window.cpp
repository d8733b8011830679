#include "platform/win32/win32_window.h"

#include "platform/win32/win32_error_report.h"
#include "runtime/runtime_error.h"

namespace quarvel {

namespace {
constexpr const char* kWindowClass = "QuarvelClock";

int TimerIndex(TimerId timer) { return static_cast<int>(timer) - 1; }
}  // namespace

Win32Window::Win32Window(HINSTANCE instance, const char* title) {
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
  clientWidth_ = 1;
  clientHeight_ = 1;
  RebuildCanvas();
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
  if (self == nullptr || self->hwnd_ == nullptr) return DefWindowProcA(hwnd, message, wParam, lParam);
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
    case WM_PAINT:
      Paint();
      return 0;
    case WM_ERASEBKGND:
      return 1;  // Paint covers the whole client area
    case WM_CLOSE:
      if (events_ != nullptr) events_->OnUnload();
      return 0;
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

void Win32Window::LoadBackgroundPicture(const std::string& path) {
  if (GetFileAttributesA(path.c_str()) == INVALID_FILE_ATTRIBUTES)
    throw RuntimeError(ErrorNumber::kFileNotFound, path);
  auto* bitmap = static_cast<HBITMAP>(
      LoadImageA(nullptr, path.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION));
  if (bitmap == nullptr) throw RuntimeError(ErrorNumber::kInvalidPicture, path);
  BITMAP info{};
  GetObjectA(bitmap, sizeof info, &info);
  if (picture_ != nullptr) DeleteObject(picture_);
  picture_ = bitmap;
  pictureWidth_ = info.bmWidth;
  pictureHeight_ = info.bmHeight < 0 ? -info.bmHeight : info.bmHeight;
  Cls();
}

void Win32Window::SetClientSizePixels(int width, int height) {
  // A popup has no frame: its outer size is its drawing area.
  SetWindowPos(hwnd_, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  clientWidth_ = width;
  clientHeight_ = height;
  RebuildCanvas();
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

bool Win32Window::TimerEnabled(TimerId timer) const { return timerEnabled_[TimerIndex(timer)]; }

void Win32Window::Show() {
  ShowWindow(hwnd_, SW_SHOW);
  UpdateWindow(hwnd_);
}

void Win32Window::Close() { DestroyWindow(hwnd_); }

}  // namespace quarvel
