// The drawing half of Win32Window: an off-screen canvas of the window's size, cleared to the
// background picture (or the back colour where the picture doesn't reach), lines with a GDI pen.
#include "platform/win32/win32_window.h"
#include "runtime/runtime_error.h"

namespace quarvel {

void Win32Window::RebuildCanvas() {
  HDC screen = GetDC(hwnd_);
  if (canvasDc_ == nullptr) {
    canvasDc_ = CreateCompatibleDC(screen);
  } else {
    SelectObject(canvasDc_, canvasOld_);
    DeleteObject(canvas_);
  }
  canvas_ = CreateCompatibleBitmap(screen, clientWidth_ > 0 ? clientWidth_ : 1,
                                   clientHeight_ > 0 ? clientHeight_ : 1);
  canvasOld_ = SelectObject(canvasDc_, canvas_);
  ReleaseDC(hwnd_, screen);
  SelectPen();
  Cls();
}

void Win32Window::Cls() {
  RECT all{0, 0, clientWidth_, clientHeight_};
  HBRUSH back = CreateSolidBrush(kBackColor);
  FillRect(canvasDc_, &all, back);
  DeleteObject(back);
  if (picture_ != nullptr) {
    HDC pictureDc = CreateCompatibleDC(canvasDc_);
    HGDIOBJ old = SelectObject(pictureDc, picture_);
    BitBlt(canvasDc_, 0, 0, pictureWidth_, pictureHeight_, pictureDc, 0, 0, SRCCOPY);
    SelectObject(pictureDc, old);
    DeleteDC(pictureDc);
  }
  InvalidateRect(hwnd_, nullptr, FALSE);
}

void Win32Window::SetForeColor(ColorRef color) {
  foreColor_ = static_cast<COLORREF>(color) & 0xFFFFFF;
  SelectPen();
}

void Win32Window::SetDrawWidth(int16_t width) {
  if (width < 1) Raise(ErrorNumber::kInvalidPropertyValue);
  drawWidth_ = width;
  SelectPen();
}

void Win32Window::SelectPen() {
  HPEN pen = CreatePen(PS_SOLID, drawWidth_, foreColor_);
  SelectObject(canvasDc_, pen);
  if (pen_ != nullptr) DeleteObject(pen_);
  pen_ = pen;
}

void Win32Window::Line(int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
  MoveToEx(canvasDc_, x1, y1, nullptr);
  LineTo(canvasDc_, x2, y2);
  InvalidateRect(hwnd_, nullptr, FALSE);
}

void Win32Window::Paint() {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(hwnd_, &ps);
  BitBlt(dc, 0, 0, clientWidth_, clientHeight_, canvasDc_, 0, 0, SRCCOPY);
  EndPaint(hwnd_, &ps);
}

}  // namespace quarvel
