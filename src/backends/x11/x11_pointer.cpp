#include "backends/x11/x11_pointer.h"

#include <X11/extensions/Xrandr.h>
#include <xcb/xcbext.h>

#include <cstdlib>
#include <string_view>

namespace quarvel {

X11Pointer::X11Pointer(X11Display& display, X11EventLoop& loop) : display_(display), loop_(loop) {
  loop_.BeforeTimers([this] { AskAhead(); });
}

X11Pointer::~X11Pointer() {
  loop_.BeforeTimers(nullptr);
}

// NOTE: Xwayland says who it is with its XWAYLAND extension from version 23.1 on; before that
// (Debian 12 has 22.1) only by its RandR outputs' names, XWAYLAND0 and on.
bool X11Pointer::KnownEverywhere() const {
  if (xwayland_) return !*xwayland_;
  Display* d = display_.get();
  int opcode = 0, firstEvent = 0, firstError = 0;
  bool xwayland = XQueryExtension(d, "XWAYLAND", &opcode, &firstEvent, &firstError) != 0;
  const bool randr = XRRQueryExtension(d, &firstEvent, &firstError) != 0;
  if (XRRScreenResources* screen =
          xwayland || !randr ? nullptr : XRRGetScreenResourcesCurrent(d, display_.root())) {
    for (int i = 0; i < screen->noutput; ++i)
      if (XRROutputInfo* output = XRRGetOutputInfo(d, screen, screen->outputs[i])) {
        xwayland =
            xwayland || std::string_view(output->name, static_cast<std::size_t>(output->nameLen))
                            .starts_with("XWAYLAND");
        XRRFreeOutputInfo(output);
      }
    XRRFreeScreenResources(screen);
  }
  xwayland_ = xwayland;
  return !xwayland;
}

void X11Pointer::AskAhead() {
  if (display_.lost()) return;
  if (asked_) {
    // Unread: an answer already here still tells that the server is done with every earlier
    // request, a picture in shared memory among them.
    xcb_query_pointer_reply_t* reply = nullptr;
    xcb_generic_error_t* error = nullptr;
    if (xcb_poll_for_reply(display_.xcb(), query_.sequence, reinterpret_cast<void**>(&reply),
                           &error) != 0) {
      if (reply != nullptr || error != nullptr) display_.NoteAnswered(query_.sequence);
      std::free(reply);
      std::free(error);
    } else {
      xcb_discard_reply(display_.xcb(), query_.sequence);
    }
    asked_ = false;
  }
  // Shared pictures going out fast are set free by the alarm where there is one.
  const bool wanted = read_ || (display_.PuttingOften() && !loop_.alarm().usable());
  read_ = false;
  // The server's alarm woke the clock with the pointer's place, and set the pictures free.
  if (!wanted || loop_.alarm().HasAnswer()) return;
  query_ = xcb_query_pointer(display_.xcb(), static_cast<xcb_window_t>(display_.root()));
  asked_ = true;
  xcb_flush(display_.xcb());
}

// The core reads the pointer once a second, right after drawing the face. The server's alarm
// woke the clock with it; without one, asked for when the timer woke the clock, the answer is
// mostly there by then; asked for only now, the clock would mostly sleep once more each second,
// waiting for it.
bool X11Pointer::Read(ScreenPoint& point) {
  if (display_.lost()) return false;
  loop_.alarm().WantPointer();
  if (const std::optional<X11ServerAlarm::Answer> answer = loop_.alarm().TakeAnswer()) {
    read_ = true;
    if (answer->sameScreen) point = answer->point;
    return answer->sameScreen;
  }
  if (!asked_) {
    query_ = xcb_query_pointer(display_.xcb(), static_cast<xcb_window_t>(display_.root()));
    xcb_flush(display_.xcb());
  }
  asked_ = false;
  read_ = true;
  xcb_query_pointer_reply_t* reply = xcb_query_pointer_reply(display_.xcb(), query_, nullptr);
  if (reply == nullptr) return false;
  display_.NoteAnswered(query_.sequence);
  const bool onThisScreen = reply->same_screen != 0;
  if (onThisScreen) point = ScreenPoint{reply->root_x, reply->root_y};
  std::free(reply);
  return onThisScreen;  // false: on another screen of the display
}

}  // namespace quarvel
