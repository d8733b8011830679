#include "backends/x11/x11_dialog_window.h"

#include <X11/Xutil.h>
#include <unistd.h>

#include "backends/x11/x11_controls.h"
#include "dialogpaint/dialog_resources.h"
#include "dialogpaint/pixel_controls.h"

namespace quarvel {

namespace {
// _MOTIF_WM_HINTS: moved and closed, never resized; a border, a title and its menu.
constexpr long kMotifMove = 4;
constexpr long kMotifClose = 32;
constexpr long kMotifBorder = 2;
constexpr long kMotifTitle = 8;
constexpr long kMotifMenu = 16;
}  // namespace

Window CreateX11DialogWindow(X11Display& display, const infodialog::PixelRect& r,
                             const X11DialogStyle& style) {
  Display* d = display.get();
  XSetWindowAttributes attributes{};
  attributes.event_mask = ExposureMask | KeyPressMask | KeyReleaseMask | ButtonPressMask |
                          ButtonReleaseMask | Button1MotionMask | StructureNotifyMask;
  XColor face{};
  face.red = face.green = face.blue = classic::kFace * 257;
  XAllocColor(d, DefaultColormap(d, display.screen()), &face);
  attributes.background_pixel = face.pixel;
  const Window window = XCreateWindow(
      d, display.root(), r.x, r.y, static_cast<unsigned>(r.width), static_cast<unsigned>(r.height),
      0, CopyFromParent, InputOutput, CopyFromParent, CWBackPixel | CWEventMask, &attributes);

  // Static gravity: the place is the client area's, as Windows places this dialog's.
  XSizeHints size{};
  size.flags = USPosition | PPosition | PMinSize | PMaxSize | PWinGravity;
  size.x = r.x;
  size.y = r.y;
  size.min_width = size.max_width = r.width;
  size.min_height = size.max_height = r.height;
  size.win_gravity = StaticGravity;
  XWMHints hints{};
  hints.flags = InputHint | StateHint;
  hints.input = True;
  hints.initial_state = NormalState;
  XClassHint classHint{const_cast<char*>("quarvel"), const_cast<char*>("Quarvel")};
  XSetWMProperties(d, window, nullptr, nullptr, nullptr, 0, &size, &hints, &classHint);
  display.SetTitle(window, std::string(style.title));
  Atom deleteWindow = display.atom("WM_DELETE_WINDOW");
  XSetWMProtocols(d, window, &deleteWindow, 1);
  display.SetCardinals(window, "_NET_WM_PID", {static_cast<long>(getpid())});
  display.SetCardinals(window, "_NET_WM_ICON", IconCardinals());
  display.SetAtoms(window, "_NET_WM_WINDOW_TYPE", {"_NET_WM_WINDOW_TYPE_DIALOG"});
  display.SetMotifHints(window, kMotifMove | kMotifClose, kMotifBorder | kMotifTitle | kMotifMenu);
  std::vector<const char*> state;
  if (!style.inTaskBar) state.push_back("_NET_WM_STATE_SKIP_TASKBAR");
  if (style.topmost) state.push_back("_NET_WM_STATE_ABOVE");
  if (style.owner != 0) state.push_back("_NET_WM_STATE_MODAL");
  display.SetAtoms(window, "_NET_WM_STATE", state);
  if (style.owner != 0) XSetTransientForHint(d, window, style.owner);
  return window;
}

void DescribeX11Controls(X11Display& display, Window window,
                         const std::vector<X11ControlDescription>& controls) {
  std::string text;
  for (const X11ControlDescription& control : controls) {
    text.append(control.kind);
    text += ' ';
    const int place[4] = {control.rect.x, control.rect.y, control.rect.width, control.rect.height};
    for (int i = 0; i < 4; ++i) {
      text += std::to_string(place[i]);
      text += i < 3 ? ',' : ' ';
    }
    for (char c : control.text) {
      if (c == '\\')
        text += "\\\\";
      else if (c == '\n')
        text += "\\n";
      else if (c == '\t')
        text += "\\t";
      else
        text += c;
    }
    text += '\n';
  }
  display.SetUtf8(window, "_QUARVEL_CONTROLS", text);
}

}  // namespace quarvel
