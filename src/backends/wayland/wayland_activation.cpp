#include "backends/wayland/wayland_activation.h"

#include <poll.h>

#include "backends/wayland/wayland_event_loop.h"
#include "xdg-activation-v1-client-protocol.h"

namespace quarvel {

namespace {
void TokenDone(void* data, xdg_activation_token_v1*, const char* token) {
  *static_cast<std::optional<std::string>*>(data) = token;
}
const xdg_activation_token_v1_listener kTokenListener{.done = TokenDone};
}  // namespace

// The token's events come on a queue of their own: waiting for it runs none of the clock's
// other events.
std::optional<std::string> WaylandActivation::Token(wl_surface* surface, uint32_t serial,
                                                    int waitMs) {
  if (display_.activation() == nullptr || display_.lost()) return std::nullopt;
  wl_display* display = display_.get();
  wl_event_queue* queue = wl_display_create_queue(display);
  if (queue == nullptr) return std::nullopt;
  auto* request = static_cast<xdg_activation_v1*>(
      wl_proxy_create_wrapper(static_cast<void*>(display_.activation())));
  wl_proxy_set_queue(reinterpret_cast<wl_proxy*>(request), queue);
  xdg_activation_token_v1* token = xdg_activation_v1_get_activation_token(request);
  wl_proxy_wrapper_destroy(request);
  std::optional<std::string> received;
  xdg_activation_token_v1_add_listener(token, &kTokenListener, &received);
  if (display_.seat() != nullptr && serial != 0)
    xdg_activation_token_v1_set_serial(token, serial, display_.seat());
  if (surface != nullptr) xdg_activation_token_v1_set_surface(token, surface);
  xdg_activation_token_v1_commit(token);
  const int64_t end = MonotonicMs() + waitMs;
  while (!received && display_.Flush()) {
    if (wl_display_dispatch_queue_pending(display, queue) < 0) break;
    if (received) break;
    const int64_t left = end - MonotonicMs();
    if (left <= 0) break;
    if (wl_display_prepare_read_queue(display, queue) != 0) continue;
    pollfd fd{display_.fd(), POLLIN, 0};
    if (poll(&fd, 1, static_cast<int>(left)) <= 0) {
      wl_display_cancel_read(display);
      continue;
    }
    if (wl_display_read_events(display) < 0) break;
  }
  xdg_activation_token_v1_destroy(token);
  wl_event_queue_destroy(queue);
  return received;
}

std::vector<std::string> ActivationSettings(const std::optional<std::string>& token) {
  std::vector<std::string> settings{"DESKTOP_STARTUP_ID"};
  settings.push_back(token ? "XDG_ACTIVATION_TOKEN=" + *token : "XDG_ACTIVATION_TOKEN");
  return settings;
}

}  // namespace quarvel
