#pragma once
// The seat's pointer and keyboard, told to the clock's surface in the core's terms: the buttons
// held (left 1, right 2, middle 4), the modifiers (Shift 1, Ctrl 2, Alt 4) and Windows' key
// codes (WaylandKeys).
#include <wayland-client.h>

#include <cstdint>

#include "backends/wayland/wayland_display.h"
#include "backends/wayland/wayland_input_devices.h"
#include "backends/wayland/wayland_key_repeat.h"
#include "backends/wayland/wayland_keys.h"

namespace quarvel {

// What the surface hears: only what happens over it or while it has the keyboard.
class WaylandInputTarget {
 public:
  virtual ~WaylandInputTarget() = default;
  virtual wl_surface* InputSurface() const = 0;
  virtual void PointerMoved(int16_t buttons, int16_t modifiers) = 0;
  virtual void ButtonPressed(int16_t button, int16_t modifiers) = 0;
  virtual void KeyPressed(int16_t keyCode, int16_t modifiers) = 0;
  // For a drag: the seat's pointer (null when it went), the end of a group of pointer events, a
  // button let go and the pointer gone from the surface.
  virtual void PointerChanged(wl_pointer* /*pointer*/) {}
  virtual void PointerFrame() {}
  virtual void ButtonReleased(int16_t /*button*/) {}
  virtual void PointerLeft() {}
  virtual void KeyboardEntered() {}
};

class WaylandSeat {
 public:
  // No display: a seat told of its events by hand (the tests).
  WaylandSeat(WaylandDisplay* display, WaylandInputTarget& target);
  ~WaylandSeat();
  WaylandSeat(const WaylandSeat&) = delete;
  WaylandSeat& operator=(const WaylandSeat&) = delete;

  // The listeners' way in.
  void Capabilities(uint32_t capabilities);
  // The places are surface-local; the clock needs none (its drag has the pointer's own motion).
  void PointerEnter(wl_surface* surface, wl_fixed_t x = 0, wl_fixed_t y = 0);
  void PointerLeave();
  void PointerMotion(wl_fixed_t x = 0, wl_fixed_t y = 0);
  void PointerButton(uint32_t button, uint32_t state, uint32_t serial);
  void PointerFrame() { target_.PointerFrame(); }
  void KeyboardEnter(wl_surface* surface);
  void KeyboardLeave();
  void Key(uint32_t key, uint32_t state);
  WaylandKeys& keys() { return keys_; }
  int16_t buttons() const { return buttons_; }
  KeyRepeat& repeat() { return repeat_; }
  void RepeatInfo(int32_t rate, int32_t delay) { repeat_.SetRate(rate, delay); }

  // The serial of the last button press over the surface, which a token for another program's
  // window is asked with; 0 before one.
  uint32_t pressSerial() const { return pressSerial_; }
  // The held key's repeats, for the event loop.
  int64_t NextRepeatMs() const { return repeat_.NextDueMs(); }
  void Repeat(int64_t nowMs);

 private:
  WaylandDisplay* display_;
  wl_seat* seat_;
  WaylandInputTarget& target_;
  WaylandInputDevices devices_;
  WaylandKeys keys_;
  KeyRepeat repeat_;
  uint32_t pressSerial_ = 0;
  int16_t buttons_ = 0;
  bool pointerOver_ = false;
  bool keyboardOn_ = false;
};

}  // namespace quarvel
