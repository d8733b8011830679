#pragma once
// The clock window's visual. Where a compositing manager draws the windows (the
// _NET_WM_CM_S<screen> selection has an owner: every Xwayland, picom, kwin, mutter, xfwm4 with
// compositing) the Shape region only cuts input and the whole square is drawn: the clock then
// takes a 32-bit visual whose alpha leaves the corners transparent. Elsewhere the screen's own.
#include <X11/Xlib.h>

#include "backends/x11/x11_display.h"

namespace quarvel {

struct X11WindowVisual {
  Visual* visual = nullptr;
  int depth = 0;
  Colormap colormap = None;  // the clock's own for a 32-bit visual, else None (the parent's)
  bool alpha = false;        // the pixels' top byte is their opacity
};

bool HasCompositingManager(const X11Display& display);
X11WindowVisual ChooseWindowVisual(const X11Display& display);

}  // namespace quarvel
