#pragma once
// xdg-activation: a token from the compositor for a program the clock starts, asked for with
// the click that started it, so that the program's window may come to the front with the
// keyboard. A compositor without it, or one that doesn't answer in time, gives none.
#include <wayland-client.h>

#include <optional>
#include <string>
#include <vector>

#include "backends/wayland/wayland_display.h"

namespace quarvel {

// How long the clock waits for the compositor's token before it starts the program without one.
inline constexpr int kActivationTokenWaitMs = 1000;

class WaylandActivation {
 public:
  explicit WaylandActivation(WaylandDisplay& display) : display_(display) {}

  // A token for the input event `serial` on `surface`; nothing without one.
  std::optional<std::string> Token(wl_surface* surface, uint32_t serial,
                                   int waitMs = kActivationTokenWaitMs);

 private:
  WaylandDisplay& display_;
};

// The environment a program started with `token` gets: the token for Wayland, and no X11
// start-up id it would take for its own instead.
std::vector<std::string> ActivationSettings(const std::optional<std::string>& token);

}  // namespace quarvel
