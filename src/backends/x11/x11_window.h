#pragma once
// The clock window on Xlib: a frameless window off the task bar and pager, made round with the
// Shape extension, that shows the face the core drew, straight from the core's pixels, and
// shows it again on Expose. Stacking, the drag and the close box belong to the window manager,
// asked through the EWMH and ICCCM.
#include <X11/Xlib.h>

#include <chrono>
#include <optional>
#include <vector>

#include "backends/x11/x11_display.h"
#include "backends/x11/x11_event_loop.h"
#include "backends/x11/x11_image.h"
#include "backends/x11/x11_shared_image.h"
#include "backends/x11/x11_window_visual.h"
#include "platform/alpha_face.h"
#include "platform/ellipse_region.h"
#include "platform/platform_window.h"

namespace quarvel {

class X11Window final : public PlatformWindow, public X11EventTarget {
 public:
  X11Window(X11Display& display, X11EventLoop& loop);
  ~X11Window() override;
  X11Window(const X11Window&) = delete;
  X11Window& operator=(const X11Window&) = delete;

  Window handle() const { return window_; }

  void SetCaption(const std::string& caption) override;
  void SetEventSink(WindowEvents* events) override;
  void MoveTo(int32_t left, int32_t top) override;
  ScreenPoint Position() const override { return place_; }
  void Resize(int32_t width, int32_t height) override;
  void SetRoundRegion(int32_t diameter) override;
  void SetLayer(WindowLayer layer) override;
  // _NET_WM_WINDOW_OPACITY: a compositing manager's to honour; without one the face stays opaque.
  void SetOpacity(int percent) override;
  void SetOnAllWorkspaces(bool all) override;
  void SetScreenSettling(bool settling) override { screenSettling_ = settling; }
  void Show() override;
  void BeginSystemDrag() override;
  void Present(const PixelImage& face, const ImageRect& changed) override;
  void PresentPart(const PixelImage& face, const ChangedPart& changed) override;
  void ShowFace(bool shown) override;
  void StartTimer(TimerId timer, int milliseconds) override {
    loop_.StartTimer(timer, milliseconds);
  }
  void StopTimer(TimerId timer) override { loop_.StopTimer(timer); }

  void HandleEvent(XEvent& event) override;

 private:
  void SetFixedSize(int32_t width, int32_t height);
  void WriteState();
  void ChangeState(long action, const char* state);
  void Map();
  bool OffEveryMonitor(int32_t left, int32_t top) const;
  void Paint(const ChangedPart& part);
  void NoteConfigure(const XConfigureEvent& event);
  void ScreenChanged(XEvent& event);
  void HandleDrag(const XEvent& event);
  void TellMoveEnded(unsigned int state);
  std::optional<unsigned int> PointerRestingOnWindow() const;
  void RequestFocus(Time pressTime);
  void HandleProtocol(const XClientMessageEvent& message);

  X11Display& display_;
  X11EventLoop& loop_;
  Window window_ = 0;
  Window parent_ = 0;       // the root, or the window manager's frame
  X11WindowVisual visual_;  // with alpha where a compositing manager draws the window
  GC gc_ = nullptr;
  X11ImagePainter painter_;
  X11SharedImage sharedImage_;
  WindowEvents* events_ = nullptr;
  const PixelImage* face_ = nullptr;      // the last face presented, as the window shows it
  const PixelImage* coreFace_ = nullptr;  // ...and as the core drew it
  AlphaFace alphaFace_;                   // with a visual with alpha: the face shown
  ScreenPoint place_;
  int32_t width_ = 1;
  int32_t height_ = 1;
  bool shown_ = false;      // the core showed it
  bool offscreen_ = false;  // parked off every monitor: unmapped meanwhile
  bool mapped_ = false;     // asked to be mapped: from then on the window manager owns its state
  WindowLayer layer_ = WindowLayer::kNormal;
  bool allWorkspaces_ = false;
  // A left-button press that may become a drag: held, or moved by a loop of our own where the
  // window manager has no move of its own.
  enum class Drag { kNone, kPressed, kOwnMove };
  Drag drag_ = Drag::kNone;
  ScreenPoint dragStart_;  // the pointer's place on the screen at the press
  ScreenPoint dragGrip_;   // ...and in the window
  // The window manager was handed a drag, and the pointer has not moved over the window since.
  // Its move is over when it lets its grab go with the pointer on the window (EnterNotify,
  // NotifyUngrab), or, for one that moves the window only once the button is up, when the
  // window takes a new place under a pointer at rest: either is told to the core as a mouse
  // move.
  bool moveHandedOver_ = false;
  std::vector<RegionRow> regionRows_;  // the round shape; empty: a square window
  int randrEvents_ = -1;               // RandR's first event number, or -1 without the extension
  bool screenSettling_ = false;        // a move by the window manager is part of a screen change
};

}  // namespace quarvel
