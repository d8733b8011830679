#pragma once
// The X connection the clock runs on: the display, the atoms it speaks, what the window manager
// supports, and the end of the X session (the connection closing under it).
#include <X11/Xlib.h>
#include <xcb/xcb.h>

#include <chrono>
#include <functional>
#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

#include "platform/platform_types.h"

namespace quarvel {

class X11Display {
 public:
  // Opens $DISPLAY; nullptr when there is none to open.
  static std::unique_ptr<X11Display> Open();
  ~X11Display();
  X11Display(const X11Display&) = delete;
  X11Display& operator=(const X11Display&) = delete;

  Display* get() const { return display_; }
  int screen() const { return screen_; }
  Window root() const { return root_; }
  int fd() const { return ConnectionNumber(display_); }

  // The connection is gone (the X session ended, or the clock closed it): no Xlib call may be
  // made from then on.
  bool lost() const { return lost_; }
  // Flushes what is left to send and closes the connection, which lets its users (Xft) free
  // what they keep for it. Also once the connection is lost: Xlib then sends nothing, but still
  // lets Xft free its fonts, which fontconfig needs before it is finalized.
  void Close();
  // Runs once when the connection breaks, and must not return: Xlib ends the process after it.
  void OnConnectionLost(std::function<void()> handler) { onLost_ = std::move(handler); }

  // Runs the requests and waits for the server's verdict: the X error code one of them
  // raised, or 0 (Success). For requests that may fail, such as sharing memory with a server
  // on another machine.
  int ErrorOf(const std::function<void()>& requests);

  // The same connection for requests whose answers are read later (XCB, which Xlib runs on).
  xcb_connection_t* xcb() const { return xcb_; }
  // The number of the last request sent, and whether the server has answered it or a later one
  // (it handles requests in order). Numbers compare modulo 2^32, as XCB counts them.
  unsigned int LastRequest() const;
  void NoteAnswered(unsigned int request);
  bool Answered(unsigned int request) const;
  // The monitors as last read (x11_monitors), kept until RandR or the work area says they
  // changed: a drag asks for them at every move of the pointer.
  const std::vector<Monitor>* KnownMonitors() const {
    return monitorsKnown_ ? &monitors_ : nullptr;
  }
  void KeepMonitors(std::vector<Monitor> monitors) const {
    monitors_ = std::move(monitors);
    monitorsKnown_ = true;
  }
  void ForgetMonitors() { monitorsKnown_ = false; }

  // A picture went to the window; busy while pictures follow each other faster than a few a
  // second (a lap), when an answer that frees the shared pictures is worth asking for.
  void NotePut() { lastPut_ = std::chrono::steady_clock::now(); }
  bool PuttingOften() const {
    return std::chrono::steady_clock::now() - lastPut_ < std::chrono::milliseconds(300);
  }

  Atom atom(const char* name) const;
  // Whether a window manager runs (its check window is there) and says, in _NET_SUPPORTED,
  // that it handles this.
  bool WindowManagerSupports(const char* atomName) const;

  // A _NET_* request to the window manager about a window, as EWMH asks: a client message to
  // the root window.
  void SendToWindowManager(Window window, const char* message, std::initializer_list<long> data);

  // Properties of our own windows.
  void SetTitle(Window window, const std::string& utf8Title);
  void SetAtoms(Window window, const char* property, const std::vector<const char*>& atoms);
  void SetCardinals(Window window, const char* property, const std::vector<long>& values);
  void SetUtf8(Window window, const char* property, const std::string& text);
  // _MOTIF_WM_HINTS: which frame parts and window functions the window manager gives it.
  void SetMotifHints(Window window, long functions, long decorations);

  // A property of another window as 32-bit values (Xlib hands them over as longs); empty when
  // the window has no such property.
  std::vector<long> ReadCardinals(Window window, const char* property, Atom type) const;
  // A window's title: _NET_WM_NAME, else WM_NAME.
  std::string ReadTitle(Window window) const;

  // The time of the last user event, for requests the window manager judges by it.
  Time lastUserTime() const { return lastUserTime_; }
  void NoteUserTime(Time time) { lastUserTime_ = time; }

 private:
  explicit X11Display(Display* display);
  static int HandleIoError(Display* display);
  static int HandleError(Display* display, XErrorEvent* error);

  Display* display_;
  int screen_;
  Window root_;
  bool lost_ = false;
  bool closed_ = false;
  xcb_connection_t* xcb_;
  unsigned int answered_ = 0;  // the latest request answered through XCB
  std::chrono::steady_clock::time_point lastPut_{};
  mutable std::vector<Monitor> monitors_;
  mutable bool monitorsKnown_ = false;
  bool trapping_ = false;
  int trappedError_ = 0;
  std::function<void()> onLost_;
  Time lastUserTime_ = CurrentTime;
};

}  // namespace quarvel
