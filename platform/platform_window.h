#pragma once
// The small table of window-system calls the clock core needs, and the sink through which the
// window system's events come back into the core. Backends: platform/win32 (the product) and
// platform/headless (tests, preview). The core never includes a backend header.
#include <cstdint>
#include <string>

#include "platform/drawing_surface.h"

namespace quarvel {

// The clock window as designed, in twips: its drawing area until start-up sizes it, and the
// width of its measuring picture box while that holds no picture. Every backend starts so.
inline constexpr int kDesignedWidthTwips = 2175;
inline constexpr int kDesignedHeightTwips = 1425;
inline constexpr int kDesignedPictureWidthTwips = 1575;

enum class TimerId { kTimer1 = 1, kTimer2 = 2, kTimer3 = 3 };

// Events from the window system, delivered one at a time on the GUI thread.
class WindowEvents {
 public:
  virtual ~WindowEvents() = default;
  virtual void OnTimer(TimerId timer) = 0;
  // Button masks: left 1, right 2, middle 4. Modifier masks: Shift 1, Ctrl 2, Alt 4.
  virtual void OnMouseDown(int16_t button, int16_t shift) = 0;
  virtual void OnMouseMove(int16_t button, int16_t shift) = 0;
  virtual void OnKeyDown(int16_t keyCode, int16_t shift) = 0;
  // A close request from the user or the system (log-off, shut-down).
  virtual void OnUnload() = 0;
};

class PlatformWindow : public DrawingSurface {
 public:
  virtual void SetEventSink(WindowEvents* events) = 0;

  // Loads a bitmap file as the background picture, drawn unscaled at the top-left corner and
  // shown again by every Cls. Raises file not found or invalid picture; the old picture stays.
  virtual void LoadBackgroundPicture(const std::string& path) = 0;

  // The hidden measuring picture box: it sizes itself to the bitmap loaded into it and keeps
  // its designed width (105 pixels) while it has none.
  virtual void LoadMeasuringPicture(const std::string& path) = 0;
  virtual float MeasuringPictureWidth() const = 0;  // pixels

  // Place and size in twips, the window system's unit. The backend turns twips into pixels as
  // twips / factor, rounded to the nearest (ties to even), with the screen's factors.
  virtual void SetLeftTwips(float twips) = 0;
  virtual void SetTopTwips(float twips) = 0;
  virtual void SetWidthTwips(float twips) = 0;
  virtual void SetHeightTwips(float twips) = 0;
  virtual float LeftTwips() const = 0;
  virtual float TopTwips() const = 0;

  // Makes the visible window the ellipse inscribed in (0, 0)-(diameter, diameter).
  virtual void SetEllipticRegion(int32_t diameter) = 0;
  // Moves the window into or out of the top-most layer, leaving its place and size, and shows it.
  virtual void SetTopmostLayer(bool topmost) = 0;

  virtual void SetTimerInterval(TimerId timer, int milliseconds) = 0;
  virtual void SetTimerEnabled(TimerId timer, bool enabled) = 0;
  virtual bool TimerEnabled(TimerId timer) const = 0;

  virtual void Show() = 0;

  // Hands a left-button press to the window system as a drag of a title bar; returns when the
  // button is released.
  virtual void BeginSystemDrag() = 0;
};

}  // namespace quarvel
