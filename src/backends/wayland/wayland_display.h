#pragma once
// The Wayland connection the clock runs on: the display, the globals it binds (compositor,
// shared memory, layer shell, seat, outputs with their logical places from xdg-output), and
// the end of the connection.
#include <wayland-client.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/platform_types.h"

struct zwlr_layer_shell_v1;
struct xdg_activation_v1;
struct zxdg_output_manager_v1;
struct zxdg_output_v1;
struct wp_viewporter;
struct wp_fractional_scale_manager_v1;
struct zwp_relative_pointer_manager_v1;

namespace quarvel {

class WaylandDisplay {
 public:
  // Connects to WAYLAND_DISPLAY and binds the globals; nothing when there is no compositor.
  static std::unique_ptr<WaylandDisplay> Open();
  ~WaylandDisplay();
  WaylandDisplay(const WaylandDisplay&) = delete;
  WaylandDisplay& operator=(const WaylandDisplay&) = delete;

  wl_display* get() const { return display_; }
  int fd() const { return wl_display_get_fd(display_); }
  wl_compositor* compositor() const { return compositor_; }
  wl_shm* shm() const { return shm_; }
  wl_seat* seat() const { return seat_; }
  // The seat's devices (WL_SEAT_CAPABILITY_*) as last told: the first telling comes with the
  // globals, before the clock's seat listens, so it is kept here and passed on.
  uint32_t seatCapabilities() const { return seatCapabilities_; }
  void OnSeatCapabilities(std::function<void(uint32_t)> action) {
    seatCapabilitiesChanged_ = std::move(action);
  }
  void SeatCapabilities(uint32_t capabilities);
  zwlr_layer_shell_v1* layerShell() const { return layerShell_; }
  uint32_t layerShellVersion() const { return layerShellVersion_; }
  // Offered by most compositors, not all: a surface sized apart from its buffer, and the
  // output's fractional scale told per surface.
  wp_viewporter* viewporter() const { return viewporter_; }
  wp_fractional_scale_manager_v1* fractionalScale() const { return fractionalScale_; }
  // The pointer's own motion, for the drag; null where the compositor has none.
  zwp_relative_pointer_manager_v1* relativePointer() const { return relativePointer_; }
  // Null where the compositor offers no xdg-activation.
  xdg_activation_v1* activation() const { return activation_; }

  // The outputs' logical places on the desktop, in the order the compositor announced them.
  std::vector<ScreenRect> OutputPlaces() const;
  wl_output* OutputAt(std::size_t index) const;
  // An output's whole scale (wl_output.scale), 1 when it tells none or is unknown.
  int32_t OutputScale(const wl_output* output) const;
  // Called when an output came, went or moved (after the compositor's done).
  void OnOutputsChanged(std::function<void()> action) { outputsChanged_ = std::move(action); }

  // Sends what is queued; reads and handles what arrived. False once the connection is lost,
  // which is told once to OnConnectionLost's action.
  bool Flush();
  bool ReadAndDispatch();
  bool DispatchPending();
  void OnConnectionLost(std::function<void()> action) { connectionLost_ = std::move(action); }
  bool lost() const { return lost_; }

  // The registry's and the outputs' listeners.
  struct Output;
  void AddGlobal(wl_registry* registry, uint32_t name, const char* interface, uint32_t version);
  void RemoveGlobal(uint32_t name);
  void OutputDone();

 private:
  explicit WaylandDisplay(wl_display* display) : display_(display) {}
  void WatchOutput(Output& output);
  void Lost();

  wl_display* display_;
  wl_registry* registry_ = nullptr;
  wl_compositor* compositor_ = nullptr;
  wl_shm* shm_ = nullptr;
  wl_seat* seat_ = nullptr;
  uint32_t seatCapabilities_ = 0;
  std::function<void(uint32_t)> seatCapabilitiesChanged_;
  zwlr_layer_shell_v1* layerShell_ = nullptr;
  uint32_t layerShellVersion_ = 0;
  xdg_activation_v1* activation_ = nullptr;
  zxdg_output_manager_v1* outputManager_ = nullptr;
  wp_viewporter* viewporter_ = nullptr;
  wp_fractional_scale_manager_v1* fractionalScale_ = nullptr;
  zwp_relative_pointer_manager_v1* relativePointer_ = nullptr;
  std::vector<std::unique_ptr<Output>> outputs_;
  std::function<void()> outputsChanged_;
  std::function<void()> connectionLost_;
  bool lost_ = false;
};

struct WaylandDisplay::Output {
  WaylandDisplay* display = nullptr;
  uint32_t name = 0;
  wl_output* output = nullptr;
  zxdg_output_v1* logical = nullptr;
  ScreenRect place;  // logical pixels on the desktop
  int32_t scale = 1;
};

}  // namespace quarvel
