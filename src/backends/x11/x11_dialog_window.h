#pragma once
// What the first-run dialog and the message boxes share on X11: a framed window with a title
// and a close box, its client area where it was asked to be, and a description of its controls
// that tools can read (the end-to-end tests read the texts from it, as Windows tools read a
// dialog's controls).
#include <X11/Xlib.h>

#include <string>
#include <string_view>
#include <vector>

#include "backends/x11/x11_display.h"
#include "core/infodialog/dialog_layout.h"

namespace quarvel {

struct X11DialogStyle {
  std::string_view title;
  bool inTaskBar = true;
  bool topmost = false;
  Window owner = 0;  // kept above its owner by the window manager (0: none)
};

// The window, not yet mapped, with the client area at r (the window manager frames it
// around that), the title given, the clock's icon and a grey background.
Window CreateX11DialogWindow(X11Display& display, const infodialog::PixelRect& r,
                             const X11DialogStyle& style);

struct X11ControlDescription {
  std::string_view kind;  // PushButton, Label, Frame, PictureBox
  infodialog::PixelRect rect;
  std::string_view text;
};

// _QUARVEL_CONTROLS, one line a control: "<kind> <x>,<y>,<width>,<height> <text>", places in
// the client area, texts with \, line breaks and tabs escaped as \\, \n and \t.
void DescribeX11Controls(X11Display& display, Window window,
                         const std::vector<X11ControlDescription>& controls);

}  // namespace quarvel
