#pragma once
// What the system says about a window at its DPI: the DPI itself, a metric scaled to it, the
// work area of its monitor, and the outer size around a client area.
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

namespace quarvel {

UINT WindowDpi(HWND hwnd);
int SystemMetric(int index, UINT dpi);
RECT WorkAreaOf(HWND hwnd);
SIZE OuterSize(HWND hwnd, int width, int height);
// The window's margin and other fixed sizes given in pixels at 96 dpi.
inline int Scaled(int pixelsAt96, UINT dpi) {
  return MulDiv(pixelsAt96, static_cast<int>(dpi), 96);
}

}  // namespace quarvel
