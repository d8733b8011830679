#include "backends/x11/x11_display.h"

#include <X11/Xatom.h>
#include <X11/Xlib-xcb.h>
#include <X11/Xutil.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>

namespace quarvel {

namespace {
X11Display* g_display = nullptr;  // Xlib's error handlers take no context
}  // namespace

std::unique_ptr<X11Display> X11Display::Open() {
  Display* display = XOpenDisplay(nullptr);
  if (display == nullptr) return nullptr;
  return std::unique_ptr<X11Display>(new X11Display(display));
}

X11Display::X11Display(Display* display)
    : display_(display),
      screen_(DefaultScreen(display)),
      root_(RootWindow(display, screen_)),
      xcb_(XGetXCBConnection(display)) {
  g_display = this;
  XSetIOErrorHandler(&X11Display::HandleIoError);
  XSetErrorHandler(&X11Display::HandleError);
}

X11Display::~X11Display() {
  Close();
  g_display = nullptr;
}

void X11Display::Close() {
  if (closed_) return;
  lost_ = closed_ = true;
  XCloseDisplay(display_);
}

// The end of the X session: the server went away (log-out, the server's end). The clock saves
// its settings like any close request; NOTE: Xlib ends the process if this returns.
int X11Display::HandleIoError(Display*) {
  if (g_display != nullptr && !g_display->lost_) {
    g_display->lost_ = true;
    if (g_display->onLost_) g_display->onLost_();
  }
  _exit(1);
}

// NOTE: Xlib's own handler ends the process on any error; a window of another program (the
// editor's, one listed by the window manager) may vanish between two requests about it.
int X11Display::HandleError(Display* display, XErrorEvent* error) {
  if (g_display != nullptr && g_display->trapping_) {
    if (g_display->trappedError_ == 0) g_display->trappedError_ = error->error_code;
    return 0;
  }
  if (error->error_code == BadWindow) return 0;
  char text[256];
  XGetErrorText(display, error->error_code, text, sizeof text);
  std::fprintf(stderr, "X11: %s (request %d.%d)\n", text, error->request_code, error->minor_code);
  return 0;
}

int X11Display::ErrorOf(const std::function<void()>& requests) {
  XSync(display_, False);  // earlier requests' errors are not this one's
  trapping_ = true;
  trappedError_ = 0;
  requests();
  XSync(display_, False);
  trapping_ = false;
  return trappedError_;
}

unsigned int X11Display::LastRequest() const {
  return static_cast<unsigned int>(NextRequest(display_) - 1);
}

void X11Display::NoteAnswered(unsigned int request) {
  if (static_cast<int>(request - answered_) > 0) answered_ = request;
}

bool X11Display::Answered(unsigned int request) const {
  const auto xlibAnswered = static_cast<unsigned int>(LastKnownRequestProcessed(display_));
  return static_cast<int>(xlibAnswered - request) >= 0 ||
         static_cast<int>(answered_ - request) >= 0;
}

Atom X11Display::atom(const char* name) const {
  return XInternAtom(display_, name, False);
}

// NOTE: a window manager that ended without tidying up (killed, crashed) leaves its
// _NET_SUPPORTED behind. EWMH's sign of one running: _NET_SUPPORTING_WM_CHECK on the root names
// a window of the manager's whose own _NET_SUPPORTING_WM_CHECK names itself; a window that no
// longer exists reads as no property (Xlib's BadWindow, which the error handler passes over).
bool X11Display::WindowManagerSupports(const char* atomName) const {
  const std::vector<long> check = ReadCardinals(root_, "_NET_SUPPORTING_WM_CHECK", XA_WINDOW);
  if (check.size() != 1 ||
      ReadCardinals(static_cast<Window>(check[0]), "_NET_SUPPORTING_WM_CHECK", XA_WINDOW) != check)
    return false;
  const Atom wanted = atom(atomName);
  for (long supported : ReadCardinals(root_, "_NET_SUPPORTED", XA_ATOM))
    if (static_cast<Atom>(supported) == wanted) return true;
  return false;
}

void X11Display::SendToWindowManager(Window window, const char* message,
                                     std::initializer_list<long> data) {
  XEvent event{};
  event.xclient.type = ClientMessage;
  event.xclient.window = window;
  event.xclient.message_type = atom(message);
  event.xclient.format = 32;
  int i = 0;
  for (long value : data) event.xclient.data.l[i++] = value;
  XSendEvent(display_, root_, False, SubstructureRedirectMask | SubstructureNotifyMask, &event);
}

void X11Display::SetTitle(Window window, const std::string& title) {
  XStoreName(display_, window, title.c_str());  // Latin-1 for old tools; ours are ASCII
  SetUtf8(window, "_NET_WM_NAME", title);
}

void X11Display::SetAtoms(Window window, const char* property,
                          const std::vector<const char*>& names) {
  std::vector<Atom> atoms;
  for (const char* name : names) atoms.push_back(atom(name));
  XChangeProperty(display_, window, atom(property), XA_ATOM, 32, PropModeReplace,
                  reinterpret_cast<const unsigned char*>(atoms.data()),
                  static_cast<int>(atoms.size()));
}

void X11Display::SetCardinals(Window window, const char* property,
                              const std::vector<long>& values) {
  XChangeProperty(display_, window, atom(property), XA_CARDINAL, 32, PropModeReplace,
                  reinterpret_cast<const unsigned char*>(values.data()),
                  static_cast<int>(values.size()));
}

void X11Display::SetUtf8(Window window, const char* property, const std::string& text) {
  XChangeProperty(display_, window, atom(property), atom("UTF8_STRING"), 8, PropModeReplace,
                  reinterpret_cast<const unsigned char*>(text.data()),
                  static_cast<int>(text.size()));
}

void X11Display::SetMotifHints(Window window, long functions, long decorations) {
  constexpr long kFunctionsAndDecorations = 1 | 2;
  const long hints[5] = {kFunctionsAndDecorations, functions, decorations, 0, 0};
  const Atom motif = atom("_MOTIF_WM_HINTS");
  XChangeProperty(display_, window, motif, motif, 32, PropModeReplace,
                  reinterpret_cast<const unsigned char*>(hints), 5);
}

std::vector<long> X11Display::ReadCardinals(Window window, const char* property, Atom type) const {
  Atom actualType = None;
  int format = 0;
  unsigned long count = 0, after = 0;
  unsigned char* data = nullptr;
  std::vector<long> values;
  if (XGetWindowProperty(display_, window, atom(property), 0, 1 << 16, False, type, &actualType,
                         &format, &count, &after, &data) == Success &&
      actualType == type && format == 32 && data != nullptr) {
    const auto* longs = reinterpret_cast<const long*>(data);
    values.assign(longs, longs + count);
  }
  if (data != nullptr) XFree(data);
  return values;
}

std::string X11Display::ReadTitle(Window window) const {
  Atom actualType = None;
  int format = 0;
  unsigned long count = 0, after = 0;
  unsigned char* data = nullptr;
  std::string title;
  if (XGetWindowProperty(display_, window, atom("_NET_WM_NAME"), 0, 1024, False,
                         atom("UTF8_STRING"), &actualType, &format, &count, &after,
                         &data) == Success &&
      actualType == atom("UTF8_STRING") && format == 8 && data != nullptr)
    title.assign(reinterpret_cast<const char*>(data), count);
  if (data != nullptr) XFree(data);
  if (!title.empty()) return title;
  char* name = nullptr;
  if (XFetchName(display_, window, &name) && name != nullptr) {
    title = name;
    XFree(name);
  }
  return title;
}

}  // namespace quarvel
