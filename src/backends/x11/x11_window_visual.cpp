#include "backends/x11/x11_window_visual.h"

#include <X11/Xutil.h>

#include <string>

namespace quarvel {

bool HasCompositingManager(const X11Display& display) {
  const std::string selection = "_NET_WM_CM_S" + std::to_string(display.screen());
  return XGetSelectionOwner(display.get(), display.atom(selection.c_str())) != None;
}

X11WindowVisual ChooseWindowVisual(const X11Display& display) {
  Display* d = display.get();
  const int screen = display.screen();
  XVisualInfo info{};
  if (HasCompositingManager(display) && XMatchVisualInfo(d, screen, 32, TrueColor, &info) != 0)
    return {info.visual, 32, XCreateColormap(d, display.root(), info.visual, AllocNone), true};
  return {DefaultVisual(d, screen), DefaultDepth(d, screen), None, false};
}

}  // namespace quarvel
