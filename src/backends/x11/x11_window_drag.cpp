// The clock window's drag: the window manager's own move (_NET_WM_MOVERESIZE), or a move of our
// own where there is none, and the end of either told to the core as one mouse move over the
// window, as Windows sends one when its move loop ends: the core records the home there, so a
// clock dragged and closed without another move of the pointer keeps its new place.
#include <X11/Xlib.h>

#include <algorithm>

#include "backends/x11/x11_input.h"
#include "backends/x11/x11_window.h"

namespace quarvel {

namespace {
constexpr long kNetWmMoveResizeMove = 8;
constexpr long kNetWmMoveResizeCancel = 11;
constexpr long kSourceApplication = 1;
constexpr unsigned int kAnyButton = Button1Mask | Button2Mask | Button3Mask;
}  // namespace

// The window manager's own move, as a press on a title bar would start it, once the pointer
// moves with the button down; returns when the button is released (or the window manager has
// the move). NOTE: handed over at the press itself, a click (the button up before the message
// arrives) left openbox moving the clock with no button held, and holding the keyboard.
void X11Window::BeginSystemDrag() {
  Window rootReturn = 0, child = 0;
  int rootX = 0, rootY = 0, x = 0, y = 0;
  unsigned int buttons = 0;
  XQueryPointer(display_.get(), window_, &rootReturn, &child, &rootX, &rootY, &x, &y, &buttons);
  if ((buttons & Button1Mask) == 0) return;  // already released: a click
  dragStart_ = {rootX, rootY};
  dragGrip_ = {x, y};
  drag_ = Drag::kPressed;
  // The press's own grab brings every move and the release here until the button is up.
  while (drag_ != Drag::kNone) loop_.RunOnce(-1);
}

void X11Window::HandleDrag(const XEvent& event) {
  if (event.type == ButtonRelease && event.xbutton.button == Button1) {
    const bool moved = drag_ == Drag::kOwnMove;
    drag_ = Drag::kNone;
    // Our own move loop is over with the pointer where it held the window.
    if (moved) TellMoveEnded(event.xbutton.state & ~Button1Mask);
    return;
  }
  if (event.type != MotionNotify) return;
  if (drag_ == Drag::kOwnMove) {
    // Only the latest of the moves already queued: one move of the window for each.
    XEvent latest = event;
    while (XCheckTypedWindowEvent(display_.get(), window_, MotionNotify, &latest)) {
    }
    MoveTo(latest.xmotion.x_root - dragGrip_.x, latest.xmotion.y_root - dragGrip_.y);
    return;
  }
  if (!display_.WindowManagerSupports("_NET_WM_MOVERESIZE")) {
    drag_ = Drag::kOwnMove;  // without a window manager that moves windows: follow the pointer
    MoveTo(event.xmotion.x_root - dragGrip_.x, event.xmotion.y_root - dragGrip_.y);
    return;
  }
  // NOTE: the press grabbed the pointer for this window; the window manager can't take it
  // over for its move while that grab holds.
  Display* d = display_.get();
  XUngrabPointer(d, CurrentTime);
  display_.SendToWindowManager(
      window_, "_NET_WM_MOVERESIZE",
      {dragStart_.x, dragStart_.y, kNetWmMoveResizeMove, Button1, kSourceApplication});
  drag_ = Drag::kNone;
  moveHandedOver_ = true;
  // Released meanwhile after all: the window manager would wait for a release that is over.
  Window rootReturn = 0, child = 0;
  int rootX = 0, rootY = 0, x = 0, y = 0;
  unsigned int buttons = 0;
  XQueryPointer(d, window_, &rootReturn, &child, &rootX, &rootY, &x, &y, &buttons);
  if ((buttons & Button1Mask) == 0)
    display_.SendToWindowManager(
        window_, "_NET_WM_MOVERESIZE",
        {rootX, rootY, kNetWmMoveResizeCancel, Button1, kSourceApplication});
  XFlush(d);
}

// The mouse move Windows sends after its move loop, with the keys held now: so Shift let go
// during the drag parks a top-most clock, as it does there. The place comes from the server:
// the window manager's notice of the last move may still be on its way.
void X11Window::TellMoveEnded(unsigned int state) {
  if (events_ == nullptr) return;
  Window child = 0;
  int x = 0, y = 0;
  if (XTranslateCoordinates(display_.get(), window_, display_.root(), 0, 0, &x, &y, &child))
    place_ = {x, y};
  events_->OnMouseMove(X11ButtonMask(state), X11ModifierMask(state));
}

// The keys' and buttons' state while the pointer rests on the shown window's round face with no
// button held; nothing otherwise.
std::optional<unsigned int> X11Window::PointerRestingOnWindow() const {
  if (!mapped_ || offscreen_) return std::nullopt;
  Window root = 0, child = 0;
  int rootX = 0, rootY = 0, x = 0, y = 0;
  unsigned int state = 0;
  if (!XQueryPointer(display_.get(), window_, &root, &child, &rootX, &rootY, &x, &y, &state) ||
      (state & kAnyButton) != 0 || x < 0 || y < 0 || x >= width_ || y >= height_)
    return std::nullopt;
  if (!regionRows_.empty()) {
    const auto row = std::find_if(regionRows_.begin(), regionRows_.end(),
                                  [y](const RegionRow& r) { return r.y == y; });
    if (row == regionRows_.end() || x < row->left || x >= row->right) return std::nullopt;
  }
  return state;
}

}  // namespace quarvel
