#include "backends/wayland/wayland_seat.h"

#include <linux/input-event-codes.h>

#include "backends/wayland/wayland_event_loop.h"
#include "backends/wayland/wayland_input_devices.h"

namespace quarvel {

namespace {
const wl_pointer_listener kPointerListener = WaylandInputListeners<WaylandSeat>::Pointer();
const wl_keyboard_listener kKeyboardListener = WaylandInputListeners<WaylandSeat>::Keyboard();

int16_t ButtonMask(uint32_t button) {
  switch (button) {
    case BTN_LEFT:
      return 1;
    case BTN_RIGHT:
      return 2;
    case BTN_MIDDLE:
      return 4;
    default:
      return 0;
  }
}
}  // namespace

// The devices the seat had before this listened, then each change.
WaylandSeat::WaylandSeat(WaylandDisplay* display, WaylandInputTarget& target)
    : display_(display),
      seat_(display != nullptr ? display->seat() : nullptr),
      target_(target),
      devices_(kPointerListener, kKeyboardListener, this) {
  if (seat_ == nullptr) return;
  display_->OnSeatCapabilities([this](uint32_t capabilities) { Capabilities(capabilities); });
  Capabilities(display_->seatCapabilities());
}

WaylandSeat::~WaylandSeat() {
  if (seat_ != nullptr) display_->OnSeatCapabilities(nullptr);
}

void WaylandSeat::Capabilities(uint32_t capabilities) {
  const auto gone = devices_.Follow(
      seat_, capabilities, [this](wl_pointer* pointer) { target_.PointerChanged(pointer); });
  if (gone.pointer) pointerOver_ = false;
  if (gone.keyboard) {
    keyboardOn_ = false;
    repeat_.Stop();
  }
}

void WaylandSeat::PointerEnter(wl_surface* surface, wl_fixed_t, wl_fixed_t) {
  pointerOver_ = surface != nullptr && surface == target_.InputSurface();
  buttons_ = 0;  // a press elsewhere is none of the clock's
  if (pointerOver_) target_.PointerMoved(buttons_, keys_.Modifiers());
}

void WaylandSeat::PointerLeave() {
  if (pointerOver_) target_.PointerLeft();
  pointerOver_ = false;
}

void WaylandSeat::PointerMotion(wl_fixed_t, wl_fixed_t) {
  if (pointerOver_) target_.PointerMoved(buttons_, keys_.Modifiers());
}

void WaylandSeat::PointerButton(uint32_t button, uint32_t state, uint32_t serial) {
  const int16_t mask = ButtonMask(button);
  if (state != WL_POINTER_BUTTON_STATE_PRESSED) {
    buttons_ = static_cast<int16_t>(buttons_ & ~mask);
    if (pointerOver_ && mask != 0) target_.ButtonReleased(mask);
    return;
  }
  buttons_ = static_cast<int16_t>(buttons_ | mask);
  if (pointerOver_) pressSerial_ = serial;
  if (pointerOver_ && mask != 0) target_.ButtonPressed(mask, keys_.Modifiers());
}

void WaylandSeat::KeyboardEnter(wl_surface* surface) {
  keyboardOn_ = surface == target_.InputSurface();
  if (keyboardOn_) target_.KeyboardEntered();
}

// The compositor tells the modifiers only to the surface that has the keyboard: once it has
// gone, Shift let go elsewhere would stay held here, and a top-most clock would never hide.
void WaylandSeat::KeyboardLeave() {
  keyboardOn_ = false;
  keys_.UpdateModifiers(0, 0, 0, 0);
  repeat_.Stop();
}

void WaylandSeat::Key(uint32_t key, uint32_t state) {
  if (state != WL_KEYBOARD_KEY_STATE_PRESSED) {
    repeat_.Release(key);
    return;
  }
  if (!keyboardOn_) return;
  if (keys_.Repeats(key)) repeat_.Press(key, MonotonicMs());
  if (const auto code = keys_.VirtualKey(key)) target_.KeyPressed(*code, keys_.Modifiers());
}

// As the X server's repeats do: the key again, as if pressed again, with the modifiers held now.
void WaylandSeat::Repeat(int64_t nowMs) {
  if (const auto key = repeat_.TakeDue(nowMs))
    if (const auto code = keys_.VirtualKey(*key)) target_.KeyPressed(*code, keys_.Modifiers());
}

}  // namespace quarvel
