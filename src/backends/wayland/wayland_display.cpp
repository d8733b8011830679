#include "backends/wayland/wayland_display.h"

#include <cerrno>
#include <cstring>

#include "backends/wayland/wayland_layer_shell.h"
#include "fractional-scale-v1-client-protocol.h"
#include "relative-pointer-unstable-v1-client-protocol.h"
#include "viewporter-client-protocol.h"
#include "xdg-activation-v1-client-protocol.h"
#include "xdg-output-unstable-v1-client-protocol.h"

namespace quarvel {

namespace {
// The versions the clock is written for; a compositor offering less is taken at its own.
constexpr uint32_t kCompositorVersion = 4;
constexpr uint32_t kShmVersion = 1;
constexpr uint32_t kSeatVersion = 5;
constexpr uint32_t kOutputVersion = 3;
constexpr uint32_t kLayerShellVersion = 4;
constexpr uint32_t kOutputManagerVersion = 3;
constexpr uint32_t kRelativePointerVersion = 1;
constexpr uint32_t kActivationVersion = 1;

template <typename T>
T* Bind(wl_registry* registry, uint32_t name, const wl_interface* interface, uint32_t offered,
        uint32_t wanted) {
  return static_cast<T*>(wl_registry_bind(registry, name, interface, std::min(offered, wanted)));
}

void Global(void* data, wl_registry* registry, uint32_t name, const char* interface,
            uint32_t version) {
  static_cast<WaylandDisplay*>(data)->AddGlobal(registry, name, interface, version);
}
void GlobalRemove(void* data, wl_registry*, uint32_t name) {
  static_cast<WaylandDisplay*>(data)->RemoveGlobal(name);
}
const wl_registry_listener kRegistryListener{.global = Global, .global_remove = GlobalRemove};

void SeatCapabilitiesEvent(void* data, wl_seat*, uint32_t capabilities) {
  static_cast<WaylandDisplay*>(data)->SeatCapabilities(capabilities);
}
void SeatName(void*, wl_seat*, const char*) {}
const wl_seat_listener kSeatListener{.capabilities = SeatCapabilitiesEvent, .name = SeatName};

using Output = WaylandDisplay::Output;
void LogicalPosition(void* data, zxdg_output_v1*, int32_t x, int32_t y) {
  auto* output = static_cast<Output*>(data);
  const int32_t width = output->place.right - output->place.left;
  const int32_t height = output->place.bottom - output->place.top;
  output->place = {x, y, x + width, y + height};
}
void LogicalSize(void* data, zxdg_output_v1*, int32_t width, int32_t height) {
  auto* output = static_cast<Output*>(data);
  output->place.right = output->place.left + width;
  output->place.bottom = output->place.top + height;
}
void LogicalDone(void* data, zxdg_output_v1*) {
  static_cast<Output*>(data)->display->OutputDone();
}
void LogicalName(void*, zxdg_output_v1*, const char*) {}
void LogicalDescription(void*, zxdg_output_v1*, const char*) {}
const zxdg_output_v1_listener kLogicalListener{.logical_position = LogicalPosition,
                                               .logical_size = LogicalSize,
                                               .done = LogicalDone,
                                               .name = LogicalName,
                                               .description = LogicalDescription};

// From version 3 xdg-output's done is deprecated: wl_output's done ends a change.
void OutputGeometry(void*, wl_output*, int32_t, int32_t, int32_t, int32_t, int32_t, const char*,
                    const char*, int32_t) {}
void OutputMode(void*, wl_output*, uint32_t, int32_t, int32_t, int32_t) {}
void OutputDoneEvent(void* data, wl_output*) {
  static_cast<Output*>(data)->display->OutputDone();
}
void OutputScale(void* data, wl_output*, int32_t scale) {
  static_cast<Output*>(data)->scale = scale > 0 ? scale : 1;
}
// Bound at version 3: the events of later versions never come.
wl_output_listener MakeOutputListener() {
  wl_output_listener listener{};
  listener.geometry = OutputGeometry;
  listener.mode = OutputMode;
  listener.done = OutputDoneEvent;
  listener.scale = OutputScale;
  return listener;
}
const wl_output_listener kOutputListener = MakeOutputListener();
}  // namespace

std::unique_ptr<WaylandDisplay> WaylandDisplay::Open() {
  wl_display* display = wl_display_connect(nullptr);
  if (display == nullptr) return nullptr;
  std::unique_ptr<WaylandDisplay> self(new WaylandDisplay(display));
  self->registry_ = wl_display_get_registry(display);
  wl_registry_add_listener(self->registry_, &kRegistryListener, self.get());
  // The globals, then the outputs' logical places they lead to.
  if (wl_display_roundtrip(display) < 0 || wl_display_roundtrip(display) < 0) return nullptr;
  return self;
}

WaylandDisplay::~WaylandDisplay() {
  for (const auto& output : outputs_) {
    if (output->logical != nullptr) zxdg_output_v1_destroy(output->logical);
    wl_output_destroy(output->output);
  }
  if (outputManager_ != nullptr) zxdg_output_manager_v1_destroy(outputManager_);
  if (viewporter_ != nullptr) wp_viewporter_destroy(viewporter_);
  if (fractionalScale_ != nullptr) wp_fractional_scale_manager_v1_destroy(fractionalScale_);
  if (relativePointer_ != nullptr) zwp_relative_pointer_manager_v1_destroy(relativePointer_);
  if (activation_ != nullptr) xdg_activation_v1_destroy(activation_);
  if (layerShell_ != nullptr) zwlr_layer_shell_v1_destroy(layerShell_);
  if (seat_ != nullptr) wl_seat_destroy(seat_);
  if (shm_ != nullptr) wl_shm_destroy(shm_);
  if (compositor_ != nullptr) wl_compositor_destroy(compositor_);
  if (registry_ != nullptr) wl_registry_destroy(registry_);
  wl_display_disconnect(display_);
}

void WaylandDisplay::AddGlobal(wl_registry* registry, uint32_t name, const char* interface,
                               uint32_t version) {
  if (std::strcmp(interface, wl_compositor_interface.name) == 0) {
    compositor_ =
        Bind<wl_compositor>(registry, name, &wl_compositor_interface, version, kCompositorVersion);
  } else if (std::strcmp(interface, wl_shm_interface.name) == 0) {
    shm_ = Bind<wl_shm>(registry, name, &wl_shm_interface, version, kShmVersion);
  } else if (std::strcmp(interface, wl_seat_interface.name) == 0 && seat_ == nullptr) {
    seat_ = Bind<wl_seat>(registry, name, &wl_seat_interface, version, kSeatVersion);
    wl_seat_add_listener(seat_, &kSeatListener, this);
  } else if (std::strcmp(interface, zwlr_layer_shell_v1_interface.name) == 0) {
    layerShellVersion_ = std::min(version, kLayerShellVersion);
    layerShell_ = Bind<zwlr_layer_shell_v1>(registry, name, &zwlr_layer_shell_v1_interface, version,
                                            kLayerShellVersion);
  } else if (std::strcmp(interface, zxdg_output_manager_v1_interface.name) == 0) {
    outputManager_ = Bind<zxdg_output_manager_v1>(registry, name, &zxdg_output_manager_v1_interface,
                                                  version, kOutputManagerVersion);
    for (const auto& output : outputs_) WatchOutput(*output);
  } else if (std::strcmp(interface, wp_viewporter_interface.name) == 0) {
    viewporter_ = Bind<wp_viewporter>(registry, name, &wp_viewporter_interface, version, 1);
  } else if (std::strcmp(interface, wp_fractional_scale_manager_v1_interface.name) == 0) {
    fractionalScale_ = Bind<wp_fractional_scale_manager_v1>(
        registry, name, &wp_fractional_scale_manager_v1_interface, version, 1);
  } else if (std::strcmp(interface, zwp_relative_pointer_manager_v1_interface.name) == 0) {
    relativePointer_ = Bind<zwp_relative_pointer_manager_v1>(
        registry, name, &zwp_relative_pointer_manager_v1_interface, version,
        kRelativePointerVersion);
  } else if (std::strcmp(interface, xdg_activation_v1_interface.name) == 0) {
    activation_ = Bind<xdg_activation_v1>(registry, name, &xdg_activation_v1_interface, version,
                                          kActivationVersion);
  } else if (std::strcmp(interface, wl_output_interface.name) == 0) {
    auto output = std::make_unique<Output>();
    output->display = this;
    output->name = name;
    output->output = Bind<wl_output>(registry, name, &wl_output_interface, version, kOutputVersion);
    wl_output_add_listener(output->output, &kOutputListener, output.get());
    WatchOutput(*output);
    outputs_.push_back(std::move(output));
  }
}

void WaylandDisplay::SeatCapabilities(uint32_t capabilities) {
  seatCapabilities_ = capabilities;
  if (seatCapabilitiesChanged_) seatCapabilitiesChanged_(capabilities);
}

void WaylandDisplay::WatchOutput(Output& output) {
  if (outputManager_ == nullptr || output.logical != nullptr) return;
  output.logical = zxdg_output_manager_v1_get_xdg_output(outputManager_, output.output);
  zxdg_output_v1_add_listener(output.logical, &kLogicalListener, &output);
}

void WaylandDisplay::RemoveGlobal(uint32_t name) {
  for (auto it = outputs_.begin(); it != outputs_.end(); ++it) {
    if ((*it)->name != name) continue;
    if ((*it)->logical != nullptr) zxdg_output_v1_destroy((*it)->logical);
    wl_output_destroy((*it)->output);
    outputs_.erase(it);
    OutputDone();
    return;
  }
}

void WaylandDisplay::OutputDone() {
  if (outputsChanged_) outputsChanged_();
}

std::vector<ScreenRect> WaylandDisplay::OutputPlaces() const {
  std::vector<ScreenRect> places;
  for (const auto& output : outputs_)
    if (output->place.right > output->place.left && output->place.bottom > output->place.top)
      places.push_back(output->place);
  return places;
}

wl_output* WaylandDisplay::OutputAt(std::size_t index) const {
  std::size_t shown = 0;
  for (const auto& output : outputs_) {
    if (output->place.right <= output->place.left || output->place.bottom <= output->place.top)
      continue;
    if (shown++ == index) return output->output;
  }
  return nullptr;
}

int32_t WaylandDisplay::OutputScale(const wl_output* output) const {
  for (const auto& known : outputs_)
    if (known->output == output) return known->scale;
  return 1;
}

void WaylandDisplay::Lost() {
  if (lost_) return;
  lost_ = true;
  if (connectionLost_) connectionLost_();
}

bool WaylandDisplay::Flush() {
  if (lost_) return false;
  while (wl_display_flush(display_) < 0) {
    if (errno == EAGAIN) return true;  // the rest goes with the next flush
    Lost();
    return false;
  }
  return true;
}

bool WaylandDisplay::DispatchPending() {
  if (lost_) return false;
  if (wl_display_dispatch_pending(display_) < 0) {
    Lost();
    return false;
  }
  return true;
}

// Called when poll() found the socket readable.
bool WaylandDisplay::ReadAndDispatch() {
  if (lost_) return false;
  while (wl_display_prepare_read(display_) != 0)
    if (!DispatchPending()) return false;
  if (wl_display_read_events(display_) < 0) {
    Lost();
    return false;
  }
  return DispatchPending();
}

}  // namespace quarvel
