#pragma once
// The clock window's calls down into the window system, in screen pixels, and the sink through
// which the window system's events come back up into the core. Every rule of the clock (sizes,
// units, errors, which timer runs when) lives in the core; a backend only does what the core
// can't. Backends: backends/win32 (Windows), backends/x11 (Linux), backends/headless (tests,
// preview).
#include <cstdint>
#include <string>

#include "platform/platform_types.h"

namespace quarvel {

enum class TimerId { kTimer1 = 1, kTimer2 = 2, kTimer3 = 3, kTimer4 = 4, kTimer5 = 5 };
inline constexpr int kTimerCount = 5;

// Events from the window system, delivered one at a time on the GUI thread.
class WindowEvents {
 public:
  virtual ~WindowEvents() = default;
  virtual void OnTimer(TimerId timer) = 0;
  // Button masks: left 1, right 2, middle 4. Modifier masks: Shift 1, Ctrl 2, Alt 4.
  virtual void OnMouseDown(int16_t button, int16_t shift) = 0;
  virtual void OnMouseMove(int16_t button, int16_t shift) = 0;
  // Every key pressed, by its Windows key code; true when it is one of the clock's keys, which
  // the core alone knows (a backend then keeps it from the system's own use).
  virtual bool OnKeyDown(int16_t keyCode, int16_t shift) = 0;
  // A close request from the user or the system (log-off, shut-down).
  virtual void OnUnload() = 0;
  // The local time jumped: it was set, the time zone changed, or the machine woke up.
  virtual void OnClockChanged() = 0;
  // The screens changed: a monitor came or went, the resolution or the work area changed.
  virtual void OnScreenChanged() = 0;
  // The window is now on a monitor of another scale (dragged there): the system's
  // ScreenTwipsPerPixel already answers the new monitor's.
  virtual void OnScreenScaleChanged() = 0;
  // The window system put the window somewhere the clock did not ask for (a window manager or
  // compositor that places windows its own way, at their first showing or later), in screen
  // pixels.
  virtual void OnPlacedBySystem(int32_t left, int32_t top) = 0;
};

class PlatformWindow {
 public:
  virtual ~PlatformWindow() = default;

  virtual void SetEventSink(WindowEvents* events) = 0;
  // The window's title: what the system's window lists show and what a second start finds the
  // clock by (ActivateClockOf).
  virtual void SetCaption(const std::string& caption) = 0;

  // The outer place of the window; it has no frame, so that is its drawing area's place. A
  // place the window system refuses leaves the window where it was.
  virtual void MoveTo(int32_t left, int32_t top) = 0;
  virtual ScreenPoint Position() const = 0;
  virtual void Resize(int32_t width, int32_t height) = 0;
  // Makes the visible window the ellipse inscribed in (0, 0)-(diameter, diameter).
  virtual void SetRoundRegion(int32_t diameter) = 0;
  // Moves the window into a layer, leaving its place and size, and shows it.
  virtual void SetLayer(WindowLayer layer) = 0;
  // The whole window see-through to this percent of its face (100: opaque, the start), its
  // round shape kept. A window system that can't shows it opaque.
  virtual void SetOpacity(int /*percent*/) {}
  // Shown on every workspace (virtual desktop) rather than on the current one alone. A system
  // with one desktop per session ignores it.
  virtual void SetOnAllWorkspaces(bool /*all*/) {}
  // While true, the screens have just changed: a window manager moving the window now (it keeps
  // windows on a smaller screen) is told as OnScreenChanged, not as OnPlacedBySystem. The core
  // decides how long that lasts. A window system that tells no such moves ignores it.
  virtual void SetScreenSettling(bool /*settling*/) {}
  virtual void Show() = 0;
  // Hands a left-button press to the window system as a drag of a title bar; returns when the
  // button is released.
  virtual void BeginSystemDrag() = 0;

  // Shows a drawn face, and shows it again when the window is uncovered, until the next one:
  // the face must outlive the window, and it changes only inside the handler that presents it
  // anew (the core draws and presents within one event, so no repaint sees half a face).
  // `changed` holds every pixel that differs from the face presented before (the whole face
  // the first time): only that part need reach the screen, so a second costs the hands' few
  // pixels whatever the size of the face.
  virtual void Present(const PixelImage& face, const ImageRect& changed) = 0;
  // The same with the columns of each row of the box that may differ: a backend that copies
  // the face before the window system reads it need copy only those.
  virtual void PresentPart(const PixelImage& face, const ChangedPart& changed) {
    Present(face, changed.box);
  }

  // false: the window stays where it is and takes the pointer as before, but shows nothing of
  // its face, where the window system draws it see-through (a compositing manager); elsewhere
  // the face stays shown. true: the face shows again.
  virtual void ShowFace(bool /*shown*/) {}

  // Starts a timer that fires every `milliseconds` from now, or restarts it with that interval.
  virtual void StartTimer(TimerId timer, int milliseconds) = 0;
  virtual void StopTimer(TimerId timer) = 0;
};

}  // namespace quarvel
