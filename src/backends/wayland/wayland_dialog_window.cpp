#include "backends/wayland/wayland_dialog_window.h"

#include <linux/input-event-codes.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <string>

#include "backends/wayland/wayland_input_devices.h"
#include "viewporter-client-protocol.h"
#include "xdg-decoration-unstable-v1-client-protocol.h"
#include "xdg-shell-client-protocol.h"

namespace quarvel {

namespace {
constexpr uint32_t kShellVersion = 1;
constexpr uint32_t kDecorationVersion = 1;
constexpr uint32_t kSeatVersion = 5;

WaylandDialogWindow& WindowOf(void* data) {
  return *static_cast<WaylandDialogWindow*>(data);
}

void Global(void* data, wl_registry* registry, uint32_t name, const char* interface,
            uint32_t version) {
  WindowOf(data).AddGlobal(registry, name, interface, version);
}
void GlobalRemove(void*, wl_registry*, uint32_t) {}
const wl_registry_listener kRegistryListener{.global = Global, .global_remove = GlobalRemove};

void Ping(void*, xdg_wm_base* shell, uint32_t serial) {
  xdg_wm_base_pong(shell, serial);
}
const xdg_wm_base_listener kShellListener{.ping = Ping};

void SurfaceConfigure(void* data, xdg_surface*, uint32_t serial) {
  WindowOf(data).Configured(serial);
}
const xdg_surface_listener kSurfaceListener{.configure = SurfaceConfigure};

// The size stays the dialog's own, whatever the compositor suggests.
void ToplevelConfigure(void*, xdg_toplevel*, int32_t, int32_t, wl_array*) {}
void ToplevelClose(void* data, xdg_toplevel*) {
  WindowOf(data).input().CloseRequested();
}
// Bound at version 1: the toplevel's events of later versions never come.
xdg_toplevel_listener MakeToplevelListener() {
  xdg_toplevel_listener listener{};
  listener.configure = ToplevelConfigure;
  listener.close = ToplevelClose;
  return listener;
}
const xdg_toplevel_listener kToplevelListener = MakeToplevelListener();

void SeatCapabilities(void* data, wl_seat*, uint32_t capabilities) {
  WindowOf(data).Capabilities(capabilities);
}
void SeatName(void*, wl_seat*, const char*) {}
const wl_seat_listener kSeatListener{.capabilities = SeatCapabilities, .name = SeatName};

const wl_pointer_listener kPointerListener = WaylandInputListeners<WaylandDialogWindow>::Pointer();
const wl_keyboard_listener kKeyboardListener =
    WaylandInputListeners<WaylandDialogWindow>::Keyboard();
}  // namespace

WaylandDialogWindow::WaylandDialogWindow(WaylandDisplay& display, int width, int height,
                                         int32_t scale, std::string_view title,
                                         WaylandDialogInput& input)
    : display_(display),
      input_(input),
      width_(width),
      height_(height),
      shown_(SurfaceScaleFor(width, height, scale, display.viewporter() != nullptr)),
      buffers_(display.shm()),
      devices_(kPointerListener, kKeyboardListener, this) {
  // The clock's own connection binds only what the clock needs: the dialog's globals are its own.
  registry_ = wl_display_get_registry(display_.get());
  wl_registry_add_listener(registry_, &kRegistryListener, this);
  if (wl_display_roundtrip(display_.get()) < 0 || shell_ == nullptr ||
      !buffers_.Resize(width, height))
    return;
  buffers_.OnReleased([this] { Present(); });
  surface_ = wl_compositor_create_surface(display_.compositor());
  xdgSurface_ = xdg_wm_base_get_xdg_surface(shell_, surface_);
  xdg_surface_add_listener(xdgSurface_, &kSurfaceListener, this);
  toplevel_ = xdg_surface_get_toplevel(xdgSurface_);
  xdg_toplevel_add_listener(toplevel_, &kToplevelListener, this);
  xdg_toplevel_set_title(toplevel_, std::string(title).c_str());
  xdg_toplevel_set_app_id(toplevel_, "quarvel");
  // Laid out in the output's pixels, shown at the logical size the desktop places it by.
  wl_surface_set_buffer_scale(surface_, shown_.bufferScale);
  if (shown_.viewport) {
    viewport_ = wp_viewporter_get_viewport(display_.viewporter(), surface_);
    wp_viewport_set_destination(viewport_, shown_.width, shown_.height);
  }
  xdg_toplevel_set_min_size(toplevel_, shown_.width, shown_.height);
  xdg_toplevel_set_max_size(toplevel_, shown_.width, shown_.height);
  if (decorations_ != nullptr) {
    decoration_ = zxdg_decoration_manager_v1_get_toplevel_decoration(decorations_, toplevel_);
    zxdg_toplevel_decoration_v1_set_mode(decoration_, ZXDG_TOPLEVEL_DECORATION_V1_MODE_SERVER_SIDE);
  }
  wl_surface_commit(surface_);  // no picture before the compositor's first configure
  display_.Flush();
}

WaylandDialogWindow::~WaylandDialogWindow() {
  if (decoration_ != nullptr) zxdg_toplevel_decoration_v1_destroy(decoration_);
  if (toplevel_ != nullptr) xdg_toplevel_destroy(toplevel_);
  if (xdgSurface_ != nullptr) xdg_surface_destroy(xdgSurface_);
  if (viewport_ != nullptr) wp_viewport_destroy(viewport_);
  if (surface_ != nullptr) wl_surface_destroy(surface_);
  if (decorations_ != nullptr) zxdg_decoration_manager_v1_destroy(decorations_);
  if (shell_ != nullptr) xdg_wm_base_destroy(shell_);
  if (seat_ != nullptr) wl_seat_destroy(seat_);
  if (registry_ != nullptr) wl_registry_destroy(registry_);
  display_.Flush();
}

void WaylandDialogWindow::AddGlobal(wl_registry* registry, uint32_t name, const char* interface,
                                    uint32_t version) {
  if (std::strcmp(interface, xdg_wm_base_interface.name) == 0 && shell_ == nullptr) {
    shell_ = static_cast<xdg_wm_base*>(
        wl_registry_bind(registry, name, &xdg_wm_base_interface, std::min(version, kShellVersion)));
    xdg_wm_base_add_listener(shell_, &kShellListener, this);
  } else if (std::strcmp(interface, zxdg_decoration_manager_v1_interface.name) == 0 &&
             decorations_ == nullptr) {
    decorations_ = static_cast<zxdg_decoration_manager_v1*>(
        wl_registry_bind(registry, name, &zxdg_decoration_manager_v1_interface,
                         std::min(version, kDecorationVersion)));
  } else if (std::strcmp(interface, wl_seat_interface.name) == 0 && seat_ == nullptr) {
    seat_ = static_cast<wl_seat*>(
        wl_registry_bind(registry, name, &wl_seat_interface, std::min(version, kSeatVersion)));
    wl_seat_add_listener(seat_, &kSeatListener, this);
  }
}

void WaylandDialogWindow::Capabilities(uint32_t capabilities) {
  const auto gone = devices_.Follow(seat_, capabilities);
  if (gone.pointer) pointerOver_ = false;
  if (gone.keyboard) keyboardOn_ = false;
}

void WaylandDialogWindow::Configured(uint32_t serial) {
  xdg_surface_ack_configure(xdgSurface_, serial);
  configured_ = true;
  input_.Exposed();
}

void WaylandDialogWindow::Show(const PixelImage& picture) {
  picture_ = &picture;
  buffers_.MarkChanged({0, 0, width_, height_});
  Present();
}

void WaylandDialogWindow::Present() {
  if (!configured_ || picture_ == nullptr) return;
  wl_buffer* buffer = buffers_.Update(*picture_);
  if (buffer == nullptr) return;  // both in use: shown again when one is let go of
  wl_surface_attach(surface_, buffer, 0, 0);
  wl_surface_damage_buffer(surface_, 0, 0, width_, height_);
  wl_surface_commit(surface_);
  display_.Flush();
}

void WaylandDialogWindow::PointerEnter(wl_surface* surface, wl_fixed_t x, wl_fixed_t y) {
  pointerOver_ = surface != nullptr && surface == surface_;
  PointerMotion(x, y);
}

// The compositor's places are logical; the layout's are the picture's pixels.
void WaylandDialogWindow::PointerMotion(wl_fixed_t x, wl_fixed_t y) {
  if (!pointerOver_) return;
  input_.PointerAt(static_cast<int>(wl_fixed_to_double(x) * width_ / shown_.width),
                   static_cast<int>(wl_fixed_to_double(y) * height_ / shown_.height));
}

void WaylandDialogWindow::PointerButton(uint32_t button, uint32_t state, uint32_t /*serial*/) {
  const bool pressed = state == WL_POINTER_BUTTON_STATE_PRESSED;
  if (button == BTN_LEFT && (pointerOver_ || !pressed))  // a release anywhere ends a press
    input_.LeftButton(pressed);
}

void WaylandDialogWindow::Key(uint32_t key, uint32_t state) {
  if (!keyboardOn_) return;
  if (const auto code = keys_.VirtualKey(key))
    input_.Key(*code, state == WL_KEYBOARD_KEY_STATE_PRESSED, keys_.Modifiers());
}

}  // namespace quarvel
