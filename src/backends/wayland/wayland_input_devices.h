#pragma once
// The seat's pointer and keyboard for whatever hears them (the clock's seat, a dialog's window):
// their objects, made as the devices come and go, and their listeners, which pass each event
// the compositor sends on to the hearer's method of that name and drop the ones no hearer uses
// (scrolling). The seat is bound at version 5: events of later versions never come.
#include <unistd.h>
#include <wayland-client.h>

#include <functional>

namespace quarvel {

template <typename Hearer>
struct WaylandInputListeners {
  static Hearer& Of(void* data) { return *static_cast<Hearer*>(data); }

  static wl_pointer_listener Pointer() {
    wl_pointer_listener listener{};
    listener.enter = [](void* data, wl_pointer*, uint32_t, wl_surface* surface, wl_fixed_t x,
                        wl_fixed_t y) { Of(data).PointerEnter(surface, x, y); };
    listener.leave = [](void* data, wl_pointer*, uint32_t, wl_surface*) {
      Of(data).PointerLeave();
    };
    listener.motion = [](void* data, wl_pointer*, uint32_t, wl_fixed_t x, wl_fixed_t y) {
      Of(data).PointerMotion(x, y);
    };
    listener.button = [](void* data, wl_pointer*, uint32_t serial, uint32_t, uint32_t button,
                         uint32_t state) { Of(data).PointerButton(button, state, serial); };
    listener.axis = [](void*, wl_pointer*, uint32_t, uint32_t, wl_fixed_t) {};
    listener.frame = [](void* data, wl_pointer*) { Of(data).PointerFrame(); };
    listener.axis_source = [](void*, wl_pointer*, uint32_t) {};
    listener.axis_stop = [](void*, wl_pointer*, uint32_t, uint32_t) {};
    listener.axis_discrete = [](void*, wl_pointer*, uint32_t, int32_t) {};
    return listener;
  }

  static wl_keyboard_listener Keyboard() {
    wl_keyboard_listener listener{};
    listener.keymap = [](void* data, wl_keyboard*, uint32_t format, int32_t fd, uint32_t size) {
      if (format == WL_KEYBOARD_KEYMAP_FORMAT_XKB_V1) Of(data).keys().LoadKeymap(fd, size);
      close(fd);
    };
    listener.enter = [](void* data, wl_keyboard*, uint32_t, wl_surface* surface, wl_array*) {
      Of(data).KeyboardEnter(surface);
    };
    listener.leave = [](void* data, wl_keyboard*, uint32_t, wl_surface*) {
      Of(data).KeyboardLeave();
    };
    listener.key = [](void* data, wl_keyboard*, uint32_t, uint32_t, uint32_t key, uint32_t state) {
      Of(data).Key(key, state);
    };
    listener.modifiers = [](void* data, wl_keyboard*, uint32_t, uint32_t depressed,
                            uint32_t latched, uint32_t locked, uint32_t group) {
      Of(data).keys().UpdateModifiers(depressed, latched, locked, group);
    };
    listener.repeat_info = [](void* data, wl_keyboard*, int32_t rate, int32_t delay) {
      Of(data).RepeatInfo(rate, delay);
    };
    return listener;
  }
};

// One hearer's pointer and keyboard objects. A device that goes (wtype's keyboard when it ends)
// leaves its object inert: the next one that comes needs a new one.
class WaylandInputDevices {
 public:
  WaylandInputDevices(const wl_pointer_listener& pointerListener,
                      const wl_keyboard_listener& keyboardListener, void* hearer)
      : pointerListener_(pointerListener), keyboardListener_(keyboardListener), hearer_(hearer) {}
  ~WaylandInputDevices();
  WaylandInputDevices(const WaylandInputDevices&) = delete;
  WaylandInputDevices& operator=(const WaylandInputDevices&) = delete;

  struct Gone {
    bool pointer = false;
    bool keyboard = false;
  };
  // The objects as the seat's capabilities now say; `pointerChanged` hears of a new pointer, and
  // of none before the old one goes. Says which device went.
  Gone Follow(wl_seat* seat, uint32_t capabilities,
              const std::function<void(wl_pointer*)>& pointerChanged = {});

 private:
  const wl_pointer_listener& pointerListener_;
  const wl_keyboard_listener& keyboardListener_;
  void* hearer_;
  wl_pointer* pointer_ = nullptr;
  wl_keyboard* keyboard_ = nullptr;
};

}  // namespace quarvel
