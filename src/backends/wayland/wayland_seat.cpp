#include "backends/wayland/wayland_seat.h"

#include <linux/input-event-codes.h>
#include <unistd.h>

#include "backends/wayland/wayland_event_loop.h"

namespace quarvel {

namespace {
WaylandSeat& SeatOf(void* data) {
  return *static_cast<WaylandSeat*>(data);
}

void PointerEnter(void* data, wl_pointer*, uint32_t, wl_surface* surface, wl_fixed_t, wl_fixed_t) {
  SeatOf(data).PointerEnter(surface);
}
void PointerLeave(void* data, wl_pointer*, uint32_t, wl_surface*) {
  SeatOf(data).PointerLeave();
}
void PointerMotion(void* data, wl_pointer*, uint32_t, wl_fixed_t, wl_fixed_t) {
  SeatOf(data).PointerMotion();
}
void PointerButton(void* data, wl_pointer*, uint32_t serial, uint32_t, uint32_t button,
                   uint32_t state) {
  SeatOf(data).PointerButton(button, state, serial);
}
void PointerAxis(void*, wl_pointer*, uint32_t, uint32_t, wl_fixed_t) {}
void PointerFrame(void* data, wl_pointer*) {
  SeatOf(data).PointerFrame();
}
void PointerAxisSource(void*, wl_pointer*, uint32_t) {}
void PointerAxisStop(void*, wl_pointer*, uint32_t, uint32_t) {}
void PointerAxisDiscrete(void*, wl_pointer*, uint32_t, int32_t) {}
// The seat is bound at version 5: the pointer's events of later versions never come.
wl_pointer_listener MakePointerListener() {
  wl_pointer_listener listener{};
  listener.enter = PointerEnter;
  listener.leave = PointerLeave;
  listener.motion = PointerMotion;
  listener.button = PointerButton;
  listener.axis = PointerAxis;
  listener.frame = PointerFrame;
  listener.axis_source = PointerAxisSource;
  listener.axis_stop = PointerAxisStop;
  listener.axis_discrete = PointerAxisDiscrete;
  return listener;
}
const wl_pointer_listener kPointerListener = MakePointerListener();

void KeyboardKeymap(void* data, wl_keyboard*, uint32_t format, int32_t fd, uint32_t size) {
  if (format == WL_KEYBOARD_KEYMAP_FORMAT_XKB_V1) SeatOf(data).keys().LoadKeymap(fd, size);
  close(fd);
}
void KeyboardEnter(void* data, wl_keyboard*, uint32_t, wl_surface* surface, wl_array*) {
  SeatOf(data).KeyboardEnter(surface);
}
void KeyboardLeave(void* data, wl_keyboard*, uint32_t, wl_surface*) {
  SeatOf(data).KeyboardLeave();
}
void KeyboardKey(void* data, wl_keyboard*, uint32_t, uint32_t, uint32_t key, uint32_t state) {
  SeatOf(data).Key(key, state);
}
void KeyboardModifiers(void* data, wl_keyboard*, uint32_t, uint32_t depressed, uint32_t latched,
                       uint32_t locked, uint32_t group) {
  SeatOf(data).keys().UpdateModifiers(depressed, latched, locked, group);
}
void KeyboardRepeatInfo(void* data, wl_keyboard*, int32_t rate, int32_t delay) {
  SeatOf(data).repeat().SetRate(rate, delay);
}
const wl_keyboard_listener kKeyboardListener{.keymap = KeyboardKeymap,
                                             .enter = KeyboardEnter,
                                             .leave = KeyboardLeave,
                                             .key = KeyboardKey,
                                             .modifiers = KeyboardModifiers,
                                             .repeat_info = KeyboardRepeatInfo};

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
    : display_(display), seat_(display != nullptr ? display->seat() : nullptr), target_(target) {
  if (seat_ == nullptr) return;
  display_->OnSeatCapabilities([this](uint32_t capabilities) { Capabilities(capabilities); });
  Capabilities(display_->seatCapabilities());
}

WaylandSeat::~WaylandSeat() {
  if (seat_ != nullptr) display_->OnSeatCapabilities(nullptr);
  if (pointer_ != nullptr) wl_pointer_destroy(pointer_);
  if (keyboard_ != nullptr) wl_keyboard_destroy(keyboard_);
}

void WaylandSeat::Capabilities(uint32_t capabilities) {
  const bool pointer = (capabilities & WL_SEAT_CAPABILITY_POINTER) != 0;
  const bool keyboard = (capabilities & WL_SEAT_CAPABILITY_KEYBOARD) != 0;
  if (pointer && pointer_ == nullptr) {
    pointer_ = wl_seat_get_pointer(seat_);
    wl_pointer_add_listener(pointer_, &kPointerListener, this);
    target_.PointerChanged(pointer_);
  } else if (!pointer && pointer_ != nullptr) {
    target_.PointerChanged(nullptr);
    wl_pointer_destroy(pointer_);
    pointer_ = nullptr;
    pointerOver_ = false;
  }
  if (keyboard && keyboard_ == nullptr) {
    keyboard_ = wl_seat_get_keyboard(seat_);
    wl_keyboard_add_listener(keyboard_, &kKeyboardListener, this);
  } else if (!keyboard && keyboard_ != nullptr) {
    wl_keyboard_destroy(keyboard_);
    keyboard_ = nullptr;
    keyboardOn_ = false;
    repeat_.Stop();
  }
}

void WaylandSeat::PointerEnter(wl_surface* surface) {
  pointerOver_ = surface != nullptr && surface == target_.InputSurface();
  buttons_ = 0;  // a press elsewhere is none of the clock's
  if (pointerOver_) target_.PointerMoved(buttons_, keys_.Modifiers());
}

void WaylandSeat::PointerLeave() {
  if (pointerOver_) target_.PointerLeft();
  pointerOver_ = false;
}

void WaylandSeat::PointerMotion() {
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
