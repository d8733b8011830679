#include "backends/wayland/wayland_input_devices.h"

namespace quarvel {

WaylandInputDevices::~WaylandInputDevices() {
  if (pointer_ != nullptr) wl_pointer_destroy(pointer_);
  if (keyboard_ != nullptr) wl_keyboard_destroy(keyboard_);
}

WaylandInputDevices::Gone WaylandInputDevices::Follow(
    wl_seat* seat, uint32_t capabilities, const std::function<void(wl_pointer*)>& pointerChanged) {
  Gone gone;
  const bool pointer = (capabilities & WL_SEAT_CAPABILITY_POINTER) != 0;
  const bool keyboard = (capabilities & WL_SEAT_CAPABILITY_KEYBOARD) != 0;
  if (pointer && pointer_ == nullptr) {
    pointer_ = wl_seat_get_pointer(seat);
    wl_pointer_add_listener(pointer_, &pointerListener_, hearer_);
    if (pointerChanged) pointerChanged(pointer_);
  } else if (!pointer && pointer_ != nullptr) {
    if (pointerChanged) pointerChanged(nullptr);
    wl_pointer_destroy(pointer_);
    pointer_ = nullptr;
    gone.pointer = true;
  }
  if (keyboard && keyboard_ == nullptr) {
    keyboard_ = wl_seat_get_keyboard(seat);
    wl_keyboard_add_listener(keyboard_, &keyboardListener_, hearer_);
  } else if (!keyboard && keyboard_ != nullptr) {
    wl_keyboard_destroy(keyboard_);
    keyboard_ = nullptr;
    gone.keyboard = true;
  }
  return gone;
}

}  // namespace quarvel
