#pragma once
// The small table of window-system calls the clock core needs, and the sink through which the
// window system's events come back into the core. Backends: platform/win32 (the product) and
// platform/headless (tests, preview). The core never includes a backend header.
#include <string>

#include "platform/drawing_surface.h"

namespace quarvel {

enum class TimerId { kTimer1 = 1, kTimer2 = 2, kTimer3 = 3 };

// Events from the window system, delivered one at a time on the GUI thread.
class WindowEvents {
 public:
  virtual ~WindowEvents() = default;
  virtual void OnTimer(TimerId timer) = 0;
  // A close request from the user or the system (log-off, shut-down).
  virtual void OnUnload() = 0;
};

class PlatformWindow : public DrawingSurface {
 public:
  virtual void SetEventSink(WindowEvents* events) = 0;

  // Loads a bitmap file as the background picture, drawn unscaled at the top-left corner and
  // shown again by every Cls. Raises file not found or invalid picture; the old picture stays.
  virtual void LoadBackgroundPicture(const std::string& path) = 0;
  // Width of the loaded picture in pixels, or 0 when there is none.
  virtual int PictureWidth() const = 0;

  virtual void SetClientSizePixels(int width, int height) = 0;

  virtual void SetTimerInterval(TimerId timer, int milliseconds) = 0;
  virtual void SetTimerEnabled(TimerId timer, bool enabled) = 0;
  virtual bool TimerEnabled(TimerId timer) const = 0;

  virtual void Show() = 0;
  // Takes the window down and ends the event loop: the process ends after this.
  virtual void Close() = 0;
};

}  // namespace quarvel
