#pragma once
// The pointer's place on X11, the one way it reaches the core (X11System::GetCursorPos): the
// server's alarm brings it with the timer's wake-up; without one it is asked for when the
// timers fall due, so the answer is mostly there once the face is drawn.
#include <xcb/xcb.h>

#include <optional>

#include "backends/x11/x11_display.h"
#include "backends/x11/x11_event_loop.h"
#include "platform/platform_types.h"

namespace quarvel {

class X11Pointer {
 public:
  // Asks ahead from the loop's BeforeTimers, for as long as it lives.
  X11Pointer(X11Display& display, X11EventLoop& loop);
  ~X11Pointer();
  X11Pointer(const X11Pointer&) = delete;
  X11Pointer& operator=(const X11Pointer&) = delete;

  // The place in screen pixels; false (the point untouched) on another screen of the display,
  // or with the display gone.
  bool Read(ScreenPoint& point);
  // Not under Xwayland, told by the server's own XWAYLAND extension.
  bool KnownEverywhere() const;

 private:
  // Asks for the pointer's place now, for the next Read, when it is wanted and the server's
  // alarm did not bring it: the core read it after the last question (it hides from the
  // pointer), or pictures go out fast (a lap), whose shared memory the answer sets free. An
  // idle clock asks nothing.
  void AskAhead();

  X11Display& display_;
  X11EventLoop& loop_;
  mutable std::optional<bool> xwayland_;  // the server is Xwayland: asked once
  bool asked_ = false;
  bool read_ = false;  // Read ran since the last question
  xcb_query_pointer_cookie_t query_{};
};

}  // namespace quarvel
