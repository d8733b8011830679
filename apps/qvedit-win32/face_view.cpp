#include "apps/qvedit-win32/face_view.h"

#include "platform/win32/win32_pixels.h"

#include <utility>

namespace quarvel {

namespace {
int MouseX(LPARAM lParam) {
  return static_cast<short>(LOWORD(lParam));
}
int MouseY(LPARAM lParam) {
  return static_cast<short>(HIWORD(lParam));
}
}  // namespace

Win32FaceView::Win32FaceView(HINSTANCE instance, HWND parent, int id, FaceViewEvents& events)
    : events_(events) {
  WNDCLASSEXA wc{};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = &Win32FaceView::WindowProc;
  wc.hInstance = instance;
  wc.hCursor = LoadCursor(nullptr, IDC_CROSS);
  wc.lpszClassName = kClassName;
  RegisterClassExA(&wc);
  hwnd_ = CreateWindowExA(0, kClassName, "", WS_CHILD | WS_VISIBLE | WS_TABSTOP, 0, 0, 1, 1, parent,
                          reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, this);
}

void Win32FaceView::Show(PixelImage picture) {
  picture_ = std::move(picture);
  HDC dc = GetDC(hwnd_);
  Paint(dc);
  ReleaseDC(hwnd_, dc);
}

LRESULT CALLBACK Win32FaceView::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* create = reinterpret_cast<CREATESTRUCTA*>(lParam);
    SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  auto* self = reinterpret_cast<Win32FaceView*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
  if (self == nullptr || self->hwnd_ == nullptr)
    return DefWindowProcA(hwnd, message, wParam, lParam);
  return self->HandleMessage(message, wParam, lParam);
}

LRESULT Win32FaceView::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_LBUTTONDOWN:
      SetFocus(hwnd_);
      SetCapture(hwnd_);
      dragging_ = true;
      events_.OnFacePress(MouseX(lParam), MouseY(lParam));
      return 0;
    case WM_MOUSEMOVE:
      if (dragging_ && (wParam & MK_LBUTTON) != 0)
        events_.OnFaceDrag(MouseX(lParam), MouseY(lParam));
      return 0;
    case WM_LBUTTONUP:
      if (dragging_) ReleaseCapture();
      return 0;
    case WM_CAPTURECHANGED:
      // Whoever took the mouse away, the drag is over.
      if (dragging_) {
        dragging_ = false;
        events_.OnFaceRelease();
      }
      return 0;
    case WM_RBUTTONDOWN:
      events_.OnFaceRightClick(MouseX(lParam), MouseY(lParam));
      return 0;
    case WM_GETDLGCODE:
      return DLGC_WANTARROWS;
    case WM_KEYDOWN:
      if (wParam == VK_DELETE) events_.OnFaceDeleteKey();
      return 0;
    case WM_PAINT: {
      PAINTSTRUCT ps;
      Paint(BeginPaint(hwnd_, &ps));
      EndPaint(hwnd_, &ps);
      return 0;
    }
    case WM_ERASEBKGND:
      return 1;  // Paint covers the client area
    default:
      break;
  }
  return DefWindowProcA(hwnd_, message, wParam, lParam);
}

// What lies beyond the face stays the window's own grey.
void Win32FaceView::Paint(HDC dc) const {
  if (!picture_.empty()) {
    PaintPixels(dc, picture_);
    ExcludeClipRect(dc, 0, 0, picture_.width, picture_.height);
  }
  RECT client{};
  GetClientRect(hwnd_, &client);
  FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
}

}  // namespace quarvel
