// The compositor's own pointer, moved and clicked as a mouse would, for the end-to-end tests on a
// Wayland desktop: a client of the wlroots virtual-pointer protocol. XTest would move only
// Xwayland's idea of the pointer, which the compositor never sees.
//
// Commands, one an argument, or one a line from standard input:
//   move X Y                       the pointer to X,Y in the output's pixels
//   press|release|click BUTTON     left, right or middle
// Each is answered with "ok" once the compositor has had it, so a test knows its events are in.
// The device lives until the last command has been answered and a moment more (a device that
// goes away takes the seat's pointer with it): from standard input, until it is closed.
#include <linux/input-event-codes.h>
#include <wayland-client.h>

#include <chrono>
#include <cstdint>
#include <cstring>
#include <iostream>
#include <sstream>
#include <string>
#include <thread>

#include "wlr-virtual-pointer-unstable-v1-client-protocol.h"

namespace {

struct Globals {
  wl_seat* seat = nullptr;
  wl_output* output = nullptr;
  zwlr_virtual_pointer_manager_v1* manager = nullptr;
  uint32_t manager_version = 0;
  int32_t width = 0;  // the output's current mode
  int32_t height = 0;
};

void OnGlobal(void* data, wl_registry* registry, uint32_t name, const char* interface,
              uint32_t version) {
  auto& globals = *static_cast<Globals*>(data);
  if (std::strcmp(interface, wl_seat_interface.name) == 0 && globals.seat == nullptr) {
    globals.seat = static_cast<wl_seat*>(wl_registry_bind(registry, name, &wl_seat_interface, 1));
  } else if (std::strcmp(interface, wl_output_interface.name) == 0 && globals.output == nullptr) {
    globals.output =
        static_cast<wl_output*>(wl_registry_bind(registry, name, &wl_output_interface, 1));
  } else if (std::strcmp(interface, zwlr_virtual_pointer_manager_v1_interface.name) == 0) {
    globals.manager_version = version < 2 ? version : 2;
    globals.manager = static_cast<zwlr_virtual_pointer_manager_v1*>(wl_registry_bind(
        registry, name, &zwlr_virtual_pointer_manager_v1_interface, globals.manager_version));
  }
}
void OnGlobalRemove(void*, wl_registry*, uint32_t) {}
const wl_registry_listener kRegistryListener = {OnGlobal, OnGlobalRemove};

void OnGeometry(void*, wl_output*, int32_t, int32_t, int32_t, int32_t, int32_t, const char*,
                const char*, int32_t) {}
void OnMode(void* data, wl_output*, uint32_t flags, int32_t width, int32_t height, int32_t) {
  if ((flags & WL_OUTPUT_MODE_CURRENT) != 0) {
    auto& globals = *static_cast<Globals*>(data);
    globals.width = width;
    globals.height = height;
  }
}
void OnDone(void*, wl_output*) {}
void OnScale(void*, wl_output*, int32_t) {}
// Bound at version 1: the events of later versions (name, description) never come.
wl_output_listener OutputListener() {
  wl_output_listener listener{};
  listener.geometry = OnGeometry;
  listener.mode = OnMode;
  listener.done = OnDone;
  listener.scale = OnScale;
  return listener;
}
const wl_output_listener kOutputListener = OutputListener();

uint32_t NowMs() {
  auto since = std::chrono::steady_clock::now().time_since_epoch();
  return static_cast<uint32_t>(
      std::chrono::duration_cast<std::chrono::milliseconds>(since).count());
}

bool ButtonCode(const std::string& name, uint32_t& code) {
  if (name == "left") {
    code = BTN_LEFT;
  } else if (name == "right") {
    code = BTN_RIGHT;
  } else if (name == "middle") {
    code = BTN_MIDDLE;
  } else {
    return false;
  }
  return true;
}

class Pointer {
 public:
  Pointer(zwlr_virtual_pointer_v1* pointer, const Globals& globals)
      : pointer_(pointer), globals_(globals) {}

  // Sends one command's events; false for a command it does not know.
  bool Run(const std::string& line) {
    std::istringstream words(line);
    std::string verb;
    words >> verb;
    if (verb == "move") {
      long x = -1;
      long y = -1;
      words >> x >> y;
      if (!words || x < 0 || y < 0 || x >= globals_.width || y >= globals_.height) {
        return false;
      }
      zwlr_virtual_pointer_v1_motion_absolute(
          pointer_, NowMs(), static_cast<uint32_t>(x), static_cast<uint32_t>(y),
          static_cast<uint32_t>(globals_.width), static_cast<uint32_t>(globals_.height));
      zwlr_virtual_pointer_v1_frame(pointer_);
      return true;
    }
    std::string button;
    words >> button;
    uint32_t code = 0;
    if (!ButtonCode(button, code)) {
      return false;
    }
    if (verb == "press" || verb == "click") {
      Button(code, WL_POINTER_BUTTON_STATE_PRESSED);
    }
    if (verb == "release" || verb == "click") {
      Button(code, WL_POINTER_BUTTON_STATE_RELEASED);
    }
    return verb == "press" || verb == "release" || verb == "click";
  }

 private:
  void Button(uint32_t code, wl_pointer_button_state state) {
    zwlr_virtual_pointer_v1_button(pointer_, NowMs(), code, state);
    zwlr_virtual_pointer_v1_frame(pointer_);
  }

  zwlr_virtual_pointer_v1* pointer_;
  const Globals& globals_;
};

}  // namespace

int main(int argc, char** argv) {
  wl_display* display = wl_display_connect(nullptr);
  if (display == nullptr) {
    std::cerr << "virtual_pointer: no Wayland display (WAYLAND_DISPLAY, XDG_RUNTIME_DIR)\n";
    return 2;
  }
  Globals globals;
  wl_registry* registry = wl_display_get_registry(display);
  wl_registry_add_listener(registry, &kRegistryListener, &globals);
  wl_display_roundtrip(display);
  if (globals.manager == nullptr || globals.output == nullptr) {
    std::cerr << "virtual_pointer: the compositor offers no "
              << (globals.output == nullptr ? "output" : "zwlr_virtual_pointer_manager_v1") << "\n";
    return 2;
  }
  wl_output_add_listener(globals.output, &kOutputListener, &globals);
  wl_display_roundtrip(display);
  if (globals.width <= 0 || globals.height <= 0) {
    std::cerr << "virtual_pointer: the output has no current mode\n";
    return 2;
  }
  // Mapped to that output, so its pixels are the extent's (a manager of version 1 maps to the
  // whole layout, the same with one output).
  zwlr_virtual_pointer_v1* device =
      globals.manager_version >= 2
          ? zwlr_virtual_pointer_manager_v1_create_virtual_pointer_with_output(
                globals.manager, globals.seat, globals.output)
          : zwlr_virtual_pointer_manager_v1_create_virtual_pointer(globals.manager, globals.seat);
  Pointer pointer(device, globals);

  int status = 0;
  auto run = [&](const std::string& line) {
    if (!pointer.Run(line)) {
      std::cerr << "virtual_pointer: not a command: '" << line << "' (output " << globals.width
                << "x" << globals.height << ")\n";
      status = 1;
    } else if (wl_display_roundtrip(display) < 0) {
      std::cerr << "virtual_pointer: the compositor went away\n";
      status = 3;
    } else {
      std::cout << "ok" << std::endl;
    }
    return status == 0;
  };
  if (argc > 1) {
    for (int i = 1; i < argc && run(argv[i]); ++i) {
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
  } else {
    for (std::string line; std::getline(std::cin, line) && run(line);) {
    }
  }
  zwlr_virtual_pointer_v1_destroy(device);
  zwlr_virtual_pointer_manager_v1_destroy(globals.manager);
  wl_output_destroy(globals.output);
  if (globals.seat != nullptr) {
    wl_seat_destroy(globals.seat);
  }
  wl_registry_destroy(registry);
  wl_display_roundtrip(display);
  wl_display_disconnect(display);
  return status;
}
