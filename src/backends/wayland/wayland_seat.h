#pragma once
// The seat's pointer and keyboard, told to the clock's surface in the core's terms: the buttons
// held (left 1, right 2, middle 4), the modifiers (Shift 1, Ctrl 2, Alt 4) and Windows' key
// codes (WaylandKeys).
#include <wayland-client.h>

#include <cstdint>

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
};

class WaylandSeat {
 public:
  WaylandSeat(wl_seat* seat, WaylandInputTarget& target);
  ~WaylandSeat();
  WaylandSeat(const WaylandSeat&) = delete;
  WaylandSeat& operator=(const WaylandSeat&) = delete;

  // The listeners' way in.
  void Capabilities(uint32_t capabilities);
  void PointerEnter(wl_surface* surface);
  void PointerLeave();
  void PointerMotion();
  void PointerButton(uint32_t button, uint32_t state);
  void PointerFrame() { target_.PointerFrame(); }
  void KeyboardEnter(wl_surface* surface) { keyboardOn_ = surface == target_.InputSurface(); }
  void KeyboardLeave();
  void Key(uint32_t key, uint32_t state);
  WaylandKeys& keys() { return keys_; }
  int16_t buttons() const { return buttons_; }

 private:
  wl_seat* seat_;
  WaylandInputTarget& target_;
  wl_pointer* pointer_ = nullptr;
  wl_keyboard* keyboard_ = nullptr;
  WaylandKeys keys_;
  int16_t buttons_ = 0;
  bool pointerOver_ = false;
  bool keyboardOn_ = false;
};

}  // namespace quarvel
