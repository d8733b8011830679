#include "backends/x11/x11_window.h"

#include <X11/Xutil.h>
#include <X11/extensions/Xrandr.h>
#include <X11/extensions/shape.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <vector>

#include "backends/x11/x11_input.h"
#include "backends/x11/x11_monitors.h"
#include "dialogpaint/dialog_resources.h"
#include "platform/ellipse_region.h"
#include "platform/opacity_scale.h"

namespace quarvel {

namespace {
// _MOTIF_WM_HINTS functions: the window manager may move and close the clock, nothing else.
constexpr long kMotifMove = 4;
constexpr long kMotifClose = 32;
constexpr long kNetWmStateRemove = 0;
constexpr long kNetWmStateAdd = 1;
constexpr long kSourceApplication = 1;
constexpr unsigned long kAllDesktops = 0xFFFFFFFF;
constexpr unsigned long kOpaqueCardinal = 0xFFFFFFFF;
// Well within what a local socket takes in one write (Linux: 208 KiB by default).
constexpr int64_t kPlainPutBytes = 64 * 1024;
}  // namespace

X11Window::X11Window(X11Display& display, X11EventLoop& loop)
    : display_(display),
      loop_(loop),
      visual_(ChooseWindowVisual(display)),
      painter_(display.get(), visual_.visual, visual_.depth),
      sharedImage_(display, loop.alarm(), visual_.visual, visual_.depth) {
  Display* d = display_.get();
  XSetWindowAttributes attributes{};
  attributes.background_pixmap = None;  // every pixel comes from the face: no flash of grey
  attributes.event_mask = ExposureMask | ButtonPressMask | ButtonReleaseMask | PointerMotionMask |
                          EnterWindowMask | KeyPressMask | StructureNotifyMask;
  unsigned long mask = CWBackPixmap | CWEventMask;
  if (visual_.alpha) {  // a visual of its own needs its own colour map and border
    attributes.colormap = visual_.colormap;
    attributes.border_pixel = 0;
    mask |= CWColormap | CWBorderPixel;
  }
  window_ = XCreateWindow(d, display_.root(), 0, 0, 1, 1, 0, visual_.depth, InputOutput,
                          visual_.visual, mask, &attributes);
  gc_ = XCreateGC(d, window_, 0, nullptr);
  parent_ = display_.root();

  XWMHints wmHints{};
  wmHints.flags = InputHint | StateHint;
  wmHints.input = True;  // the keys Z, X, C and A need the focus
  wmHints.initial_state = NormalState;
  XClassHint classHint{const_cast<char*>("quarvel"), const_cast<char*>("Quarvel")};
  XSetWMProperties(d, window_, nullptr, nullptr, nullptr, 0, nullptr, &wmHints, &classHint);
  // The close box, and the focus for window managers that hand it over by message (ICCCM's
  // locally active model: the input hint above, and WM_TAKE_FOCUS).
  Atom protocols[] = {display_.atom("WM_DELETE_WINDOW"), display_.atom("WM_TAKE_FOCUS")};
  XSetWMProtocols(d, window_, protocols, 2);
  display_.SetCardinals(window_, "_NET_WM_PID", {static_cast<long>(getpid())});
  display_.SetCardinals(window_, "_NET_WM_ICON", IconCardinals());
  display_.SetMotifHints(window_, kMotifMove | kMotifClose, 0);  // no frame, no title bar
  loop_.Watch(window_, this);
  // The screens changing (RandR) reach the core through the clock window; they and the work
  // area (root properties) make the kept list of monitors stale.
  int errorBase = 0;
  if (XRRQueryExtension(d, &randrEvents_, &errorBase))
    XRRSelectInput(d, display_.root(),
                   RRScreenChangeNotifyMask | RRCrtcChangeNotifyMask | RROutputChangeNotifyMask);
  else
    randrEvents_ = -1;
  XSelectInput(d, display_.root(), PropertyChangeMask);
  loop_.Watch(display_.root(), this);
}

X11Window::~X11Window() {
  loop_.Unwatch(window_);
  loop_.Unwatch(display_.root());
  if (display_.lost()) return;
  XFreeGC(display_.get(), gc_);
  XDestroyWindow(display_.get(), window_);
  if (visual_.colormap != None) XFreeColormap(display_.get(), visual_.colormap);
}

void X11Window::SetCaption(const std::string& caption) {
  display_.SetTitle(window_, caption);
}

void X11Window::SetEventSink(WindowEvents* events) {
  events_ = events;
  loop_.SetEventSink(events);
}

// The state the window manager finds when it takes the window on: never in the task bar or
// the pager, in the top-most layer or the one below the windows as the clock is, and on every
// workspace when asked.
void X11Window::WriteState() {
  std::vector<const char*> state{"_NET_WM_STATE_SKIP_TASKBAR", "_NET_WM_STATE_SKIP_PAGER"};
  if (layer_ == WindowLayer::kTopmost) state.push_back("_NET_WM_STATE_ABOVE");
  if (layer_ == WindowLayer::kBelow) state.push_back("_NET_WM_STATE_BELOW");
  if (allWorkspaces_) state.push_back("_NET_WM_STATE_STICKY");
  display_.SetAtoms(window_, "_NET_WM_STATE", state);
}

// A mapped window's state belongs to the window manager, which changes it when asked by a
// message (a property written then would be ignored); an unmapped one's is written as it is
// mapped.
void X11Window::ChangeState(long action, const char* state) {
  display_.SendToWindowManager(
      window_, "_NET_WM_STATE",
      {action, static_cast<long>(display_.atom(state)), 0, kSourceApplication});
}

void X11Window::SetFixedSize(int32_t width, int32_t height) {
  // A place of its own (not one the window manager picks), and a size nobody changes.
  XSizeHints hints{};
  hints.flags = USPosition | PPosition | PMinSize | PMaxSize;
  hints.min_width = hints.max_width = width;
  hints.min_height = hints.max_height = height;
  XSetWMNormalHints(display_.get(), window_, &hints);
}

// Where the window manager really puts it comes back in a ConfigureNotify.
// NOTE: window managers keep the windows they manage at least partly on a screen (openbox
// leaves 20 pixels of a parked clock showing); so a clock parked off every monitor is
// unmapped there, as Wine does, and mapped again when it comes back.
void X11Window::MoveTo(int32_t left, int32_t top) {
  place_ = {left, top};
  offscreen_ = OffEveryMonitor(left, top);
  if (offscreen_ && mapped_) {
    XUnmapWindow(display_.get(), window_);
    mapped_ = false;
  }
  XMoveWindow(display_.get(), window_, left, top);
  if (!offscreen_ && shown_ && !mapped_) Map();
}

bool X11Window::OffEveryMonitor(int32_t left, int32_t top) const {
  for (const Monitor& m : X11Monitors(display_))
    if (left < m.bounds.right && left + width_ > m.bounds.left && top < m.bounds.bottom &&
        top + height_ > m.bounds.top)
      return false;
  return true;
}

// NOTE: only root coordinates count: the window manager's own notice (synthetic, ICCCM 4.1.5)
// or a real one while the window's parent is the root. Inside the manager's frame a real
// notice is relative to the frame, and asking the server where the window is instead caught
// the frame still at (0, 0) while it was being placed: the clock then took (0, 0) for home.
void X11Window::NoteConfigure(const XConfigureEvent& event) {
  if (!event.send_event && parent_ != display_.root()) return;
  const ScreenPoint place{event.x, event.y};
  const bool moved = place != place_;
  place_ = place;
  // The window manager moving the clock on its own just after the screens changed (it keeps
  // windows on the smaller screen): the core hears of it, so home follows.
  if (moved && drag_ == Drag::kNone && events_ != nullptr && screenSettling_)
    events_->OnScreenChanged();
  // Elsewhere than asked while it shows: the window manager's or compositor's own choice (sway
  // centres new windows), which the core may take for home. A parked clock's place is the core's.
  else if (moved && mapped_ && !offscreen_ && events_ != nullptr)
    events_->OnPlacedBySystem(place.x, place.y);
  // The end of a move the window manager made only once the button was up.
  if (moved && moveHandedOver_)
    if (const auto state = PointerRestingOnWindow()) TellMoveEnded(*state);
}

// RandR's notices: Xlib's idea of the screen's size is brought up to date, and the core told.
void X11Window::ScreenChanged(XEvent& event) {
  XRRUpdateConfiguration(&event);
  display_.ForgetMonitors();
  if (events_ != nullptr) events_->OnScreenChanged();
}

void X11Window::Resize(int32_t width, int32_t height) {
  if (width < 1 || height < 1) return;
  width_ = width;
  height_ = height;
  SetFixedSize(width, height);
  XResizeWindow(display_.get(), window_, static_cast<unsigned>(width),
                static_cast<unsigned>(height));
}

// Rows of the same ellipse as Windows' region; a server without the Shape extension shows a
// square clock. Where a compositing manager draws the window the region only takes input, and
// the alpha of the pixels outside it makes the clock round.
void X11Window::SetRoundRegion(int32_t diameter) {
  int eventBase = 0, errorBase = 0;
  if (!XShapeQueryExtension(display_.get(), &eventBase, &errorBase)) return;
  std::vector<XRectangle> rectangles;
  regionRows_ = EllipseRegionRows(diameter);
  if (visual_.alpha) {
    alphaFace_.SetRegion(regionRows_);
    if (coreFace_ != nullptr)
      PresentPart(*coreFace_, WholeRows({0, 0, coreFace_->width, coreFace_->height}));
  }
  for (const RegionRow& row : regionRows_)
    rectangles.push_back({static_cast<short>(row.left), static_cast<short>(row.y),
                          static_cast<unsigned short>(row.right - row.left), 1});
  XShapeCombineRectangles(display_.get(), window_, ShapeBounding, 0, 0, rectangles.data(),
                          static_cast<int>(rectangles.size()), ShapeSet, YXBanded);
}

// Out of the old layer first, so the window is never asked to be in both.
void X11Window::SetLayer(WindowLayer layer) {
  layer_ = layer;
  if (mapped_) {
    if (layer != WindowLayer::kTopmost) ChangeState(kNetWmStateRemove, "_NET_WM_STATE_ABOVE");
    if (layer != WindowLayer::kBelow) ChangeState(kNetWmStateRemove, "_NET_WM_STATE_BELOW");
    if (layer == WindowLayer::kTopmost) ChangeState(kNetWmStateAdd, "_NET_WM_STATE_ABOVE");
    if (layer == WindowLayer::kBelow) ChangeState(kNetWmStateAdd, "_NET_WM_STATE_BELOW");
  }
  Show();
}

void X11Window::SetOpacity(int percent) {
  const unsigned long cardinal = OpacityOnScale(percent, kOpaqueCardinal);
  if (cardinal == kOpaqueCardinal)
    XDeleteProperty(display_.get(), window_, display_.atom("_NET_WM_WINDOW_OPACITY"));
  else
    display_.SetCardinals(window_, "_NET_WM_WINDOW_OPACITY", {static_cast<long>(cardinal)});
}

// The desktop "all" (EWMH): a property before the window manager takes the window on, a
// message once it has; the sticky state for window managers that go by it. The core turns it on
// at start-up only: once mapped, off leaves the window manager's desktop as it is.
void X11Window::SetOnAllWorkspaces(bool all) {
  allWorkspaces_ = all;
  if (!mapped_) {
    if (all)
      display_.SetCardinals(window_, "_NET_WM_DESKTOP", {static_cast<long>(kAllDesktops)});
    else
      XDeleteProperty(display_.get(), window_, display_.atom("_NET_WM_DESKTOP"));
    return;
  }
  ChangeState(all ? kNetWmStateAdd : kNetWmStateRemove, "_NET_WM_STATE_STICKY");
  if (all)
    display_.SendToWindowManager(window_, "_NET_WM_DESKTOP",
                                 {static_cast<long>(kAllDesktops), kSourceApplication});
}

void X11Window::Show() {
  shown_ = true;
  if (!offscreen_ && !mapped_) Map();
}

void X11Window::Map() {
  WriteState();
  XMapWindow(display_.get(), window_);
  mapped_ = true;
}

// A left press gives the clock the keyboard, as a click does on Windows, with or without Shift
// and in either layer. NOTE: window managers focus a window on their own only for the presses
// they bind: openbox binds a plain press, so the Shift+press that reaches a top-most clock
// without making it hide left the focus where it was. The press's own time lets the request
// pass the window manager's focus-stealing prevention; without a window manager the clock
// takes the focus itself.
void X11Window::RequestFocus(Time pressTime) {
  if (display_.WindowManagerSupports("_NET_ACTIVE_WINDOW"))
    display_.SendToWindowManager(window_, "_NET_ACTIVE_WINDOW",
                                 {kSourceApplication, static_cast<long>(pressTime), 0});
  else
    XSetInputFocus(display_.get(), window_, RevertToParent, pressTime);
  XFlush(display_.get());
}

void X11Window::HandleProtocol(const XClientMessageEvent& message) {
  const auto protocol = static_cast<Atom>(message.data.l[0]);
  if (protocol == display_.atom("WM_TAKE_FOCUS")) {
    // The window manager's time, not CurrentTime: a late answer must not undo a later change.
    XSetInputFocus(display_.get(), window_, RevertToParent, static_cast<Time>(message.data.l[1]));
    return;
  }
  if (protocol == display_.atom("WM_DELETE_WINDOW") && events_ != nullptr) events_->OnUnload();
}

void X11Window::Present(const PixelImage& face, const ImageRect& changed) {
  PresentPart(face, WholeRows(changed));
}

void X11Window::PresentPart(const PixelImage& face, const ChangedPart& changed) {
  coreFace_ = &face;
  if (!visual_.alpha) {
    face_ = &face;
    Paint(changed);
    return;
  }
  const ChangedPart shown = alphaFace_.Update(face, changed);
  face_ = &alphaFace_.pixels();
  Paint(shown);
}

// Only a window with alpha can be see-through; without a compositing manager the face stays.
void X11Window::ShowFace(bool shown) {
  if (!visual_.alpha) return;
  alphaFace_.SetVeiled(!shown);
  if (coreFace_ != nullptr)
    PresentPart(*coreFace_, WholeRows({0, 0, coreFace_->width, coreFace_->height}));
}

void X11Window::Paint(const ChangedPart& part) {
  if (face_ == nullptr || face_->empty() || part.box.empty()) return;
  const ImageRect& box = part.box;
  if (box.left < 0 || box.top < 0 || box.right > face_->width || box.bottom > face_->height) {
    const ImageRect inside{std::max(box.left, 0), std::max(box.top, 0),
                           std::min(box.right, face_->width), std::min(box.bottom, face_->height)};
    Paint(WholeRows(inside));
    return;
  }
  // A small part (the hands' change each second at the default size, a lap's frame) goes the
  // plain way: one write the socket takes at once, and nothing to wait for before the next.
  const bool small = static_cast<int64_t>(box.width()) * box.height() * 4 <= kPlainPutBytes;
  if (!small && sharedImage_.Put(window_, gc_, *face_, part)) return;
  painter_.Put(window_, gc_, *face_, box.left, box.top, box.width(), box.height(), box.left,
               box.top);
  sharedImage_.Follow(*face_, part);
}

// A pure translation: each event becomes at most one call into the core.
void X11Window::HandleEvent(XEvent& event) {
  if (event.xany.window == display_.root()) {
    if (event.type == PropertyNotify &&
        (event.xproperty.atom == display_.atom("_NET_WORKAREA") ||
         event.xproperty.atom == display_.atom("_NET_CURRENT_DESKTOP")))
      display_.ForgetMonitors();
    if (randrEvents_ >= 0 && (event.type == randrEvents_ + RRScreenChangeNotify ||
                              event.type == randrEvents_ + RRNotify))
      ScreenChanged(event);
    return;
  }
  switch (event.type) {
    case Expose:
      Paint(WholeRows({event.xexpose.x, event.xexpose.y, event.xexpose.x + event.xexpose.width,
                       event.xexpose.y + event.xexpose.height}));
      return;
    case ConfigureNotify:
      NoteConfigure(event.xconfigure);
      return;
    case EnterNotify:
      // The window manager let its grab go, its move over, with the pointer on the clock.
      if (moveHandedOver_ && event.xcrossing.mode == NotifyUngrab)
        TellMoveEnded(event.xcrossing.state);
      return;
    case ReparentNotify:
      parent_ = event.xreparent.parent;
      return;
    case ClientMessage:
      if (event.xclient.message_type == display_.atom("WM_PROTOCOLS"))
        HandleProtocol(event.xclient);
      return;
    default:
      break;
  }
  if (drag_ != Drag::kNone) {  // as in Windows' move loop, the core sees none of it
    HandleDrag(event);
    return;
  }
  if (events_ == nullptr) return;
  switch (event.type) {
    case ButtonPress:
      moveHandedOver_ = false;
      if (event.xbutton.button == Button1) RequestFocus(event.xbutton.time);
      if (auto button = X11PressedButton(event.xbutton.button))
        events_->OnMouseDown(*button, X11ModifierMask(event.xbutton.state));
      return;
    case MotionNotify:
      // Only the latest of the moves already queued, as Windows sends one WM_MOUSEMOVE.
      while (XCheckTypedWindowEvent(display_.get(), window_, MotionNotify, &event)) {
      }
      moveHandedOver_ = false;  // the core hears of this move itself
      events_->OnMouseMove(X11ButtonMask(event.xmotion.state),
                           X11ModifierMask(event.xmotion.state));
      return;
    case KeyPress:
      if (auto key = X11VirtualKey(event.xkey))
        events_->OnKeyDown(*key, X11ModifierMask(event.xkey.state));
      return;
    default:
      return;
  }
}

}  // namespace quarvel
