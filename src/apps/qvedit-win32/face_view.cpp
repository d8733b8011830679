#include "apps/qvedit-win32/face_view.h"

#include <utility>

namespace quarvel {

namespace {
int MouseX(LPARAM lParam) {
  return static_cast<short>(LOWORD(lParam));
}
int MouseY(LPARAM lParam) {
  return static_cast<short>(HIWORD(lParam));
}

// Each channel `percent` of the face's and the rest of the window's.
void BlendWithWindow(PixelImage& picture, int percent) {
  const Pixel window = PixelFromColorRef(static_cast<ColorRef>(GetSysColor(COLOR_BTNFACE)));
  for (Pixel& pixel : picture.pixels) {
    Pixel blended = 0;
    for (int shift : {0, 8, 16}) {
      const auto face = static_cast<int>((pixel >> shift) & 0xFFu);
      const auto behind = static_cast<int>((window >> shift) & 0xFFu);
      blended |= static_cast<Pixel>((face * percent + behind * (100 - percent) + 50) / 100)
                 << shift;
    }
    pixel = blended;
  }
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

void Win32FaceView::Show(PixelImage picture, const FaceZoom& zoom, std::vector<Handle> handles,
                         int opacityPercent) {
  picture_ = std::move(picture);
  if (opacityPercent < 100) BlendWithWindow(picture_, opacityPercent);
  zoom_ = zoom;
  handles_ = std::move(handles);
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
      OnKey(wParam);
      return 0;
    case WM_MOUSEWHEEL:
      events_.OnFaceWheel(GET_WHEEL_DELTA_WPARAM(wParam) / WHEEL_DELTA);
      return 0;
    case WM_SIZE:
      events_.OnFaceResized(LOWORD(lParam), HIWORD(lParam));
      return 0;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:  // the focus frame
      InvalidateRect(hwnd_, nullptr, FALSE);
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

void Win32FaceView::OnKey(WPARAM key) {
  switch (key) {
    case VK_DELETE:
      return events_.OnFaceDeleteKey();
    case VK_LEFT:
      return events_.OnFaceArrow(-1, 0);
    case VK_RIGHT:
      return events_.OnFaceArrow(1, 0);
    case VK_UP:
      return events_.OnFaceArrow(0, 1);
    case VK_DOWN:
      return events_.OnFaceArrow(0, -1);
    default:
      return;
  }
}

// Drawn off the screen first, so a tick or a drag never flickers. What lies beyond the face
// stays the window's own grey; a thin dotted frame shows the focus (the arrow keys nudge then).
void Win32FaceView::Paint(HDC dc) const {
  RECT client{};
  GetClientRect(hwnd_, &client);
  HDC memory = CreateCompatibleDC(dc);
  HBITMAP canvas = CreateCompatibleBitmap(dc, client.right, client.bottom);
  HGDIOBJ oldBitmap = SelectObject(memory, canvas);
  FillRect(memory, &client, GetSysColorBrush(COLOR_BTNFACE));
  if (!picture_.empty()) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = picture_.width;
    info.bmiHeader.biHeight = -picture_.height;  // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    // COLORONCOLOR drops rows and columns without blending them: a pixel stays a pixel.
    SetStretchBltMode(memory, COLORONCOLOR);
    const FacePlace face = zoom_.FaceRect();
    StretchDIBits(memory, face.x, face.y, face.width, face.height, 0, 0, picture_.width,
                  picture_.height, picture_.pixels.data(), &info, DIB_RGB_COLORS, SRCCOPY);
  }
  HPEN edge = CreatePen(PS_SOLID, 1, RGB(0, 0, 0));
  HBRUSH inside = CreateSolidBrush(RGB(255, 255, 255));
  HBRUSH chosen = CreateSolidBrush(RGB(255, 96, 0));
  HGDIOBJ oldPen = SelectObject(memory, edge);
  HGDIOBJ oldBrush = SelectObject(memory, inside);
  // The selected handle last, on top: an outline's last point often lies on its first.
  for (const bool selected : {false, true}) {
    for (const Handle& handle : handles_) {
      if (handle.selected != selected) continue;
      const int r = kHandleRadius + (selected ? 1 : 0);
      SelectObject(memory, selected ? chosen : inside);
      Rectangle(memory, handle.centre.x - r, handle.centre.y - r, handle.centre.x + r + 1,
                handle.centre.y + r + 1);
    }
  }
  SelectObject(memory, oldPen);
  SelectObject(memory, oldBrush);
  DeleteObject(edge);
  DeleteObject(inside);
  DeleteObject(chosen);
  if (GetFocus() == hwnd_) DrawFocusRect(memory, &client);
  BitBlt(dc, 0, 0, client.right, client.bottom, memory, 0, 0, SRCCOPY);
  SelectObject(memory, oldBitmap);
  DeleteObject(canvas);
  DeleteDC(memory);
}

}  // namespace quarvel
