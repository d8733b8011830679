#pragma once
// A dialog's window on a Wayland desktop: an xdg-shell toplevel of a fixed size (so tiling
// compositors float it), with the title given and the compositor's own frame where it offers
// one (xdg-decoration), showing a picture drawn in shared memory. Its own seat's pointer and
// keyboard tell it what happens over it, in the core's key codes.
#include <wayland-client.h>

#include <cstdint>
#include <memory>
#include <string_view>

#include "backends/wayland/wayland_buffers.h"
#include "backends/wayland/wayland_display.h"
#include "backends/wayland/wayland_input_devices.h"
#include "backends/wayland/wayland_keys.h"
#include "backends/wayland/wayland_scale.h"
#include "platform/platform_types.h"

struct xdg_wm_base;
struct xdg_surface;
struct xdg_toplevel;
struct zxdg_decoration_manager_v1;
struct zxdg_toplevel_decoration_v1;
struct wp_viewport;

namespace quarvel {

// What the dialog hears, in its window's pixels.
class WaylandDialogInput {
 public:
  virtual ~WaylandDialogInput() = default;
  virtual void PointerAt(int x, int y) = 0;
  virtual void LeftButton(bool pressed) = 0;
  // Windows' virtual-key code (WaylandKeys) and the modifiers held (Shift 1).
  virtual void Key(int16_t keyCode, bool pressed, int16_t modifiers) = 0;
  // The compositor's close box: the dialog's own answer to it.
  virtual void CloseRequested() = 0;
  // The window can be drawn (again): the compositor configured it.
  virtual void Exposed() = 0;
};

class WaylandDialogWindow {
 public:
  // `width` and `height` in the output's pixels, at its `scale` (120ths).
  WaylandDialogWindow(WaylandDisplay& display, int width, int height, int32_t scale,
                      std::string_view title, WaylandDialogInput& input);
  ~WaylandDialogWindow();
  WaylandDialogWindow(const WaylandDialogWindow&) = delete;
  WaylandDialogWindow& operator=(const WaylandDialogWindow&) = delete;

  // False when the compositor offers no xdg-shell: nothing can be shown.
  bool usable() const { return toplevel_ != nullptr; }
  // Puts the picture (of the window's size) on the screen once the compositor configured it.
  void Show(const PixelImage& picture);

  // The listeners' way in.
  void AddGlobal(wl_registry* registry, uint32_t name, const char* interface, uint32_t version);
  void Configured(uint32_t serial);
  void Capabilities(uint32_t capabilities);
  void PointerEnter(wl_surface* surface, wl_fixed_t x, wl_fixed_t y);
  void PointerLeave() { pointerOver_ = false; }
  void PointerMotion(wl_fixed_t x, wl_fixed_t y);
  void PointerButton(uint32_t button, uint32_t state, uint32_t serial);
  void PointerFrame() {}
  void KeyboardEnter(wl_surface* surface) { keyboardOn_ = surface == surface_; }
  void KeyboardLeave() { keyboardOn_ = false; }
  void Key(uint32_t key, uint32_t state);
  void RepeatInfo(int32_t /*rate*/, int32_t /*delay*/) {}  // a dialog's keys don't repeat
  WaylandKeys& keys() { return keys_; }
  WaylandDialogInput& input() { return input_; }
  xdg_wm_base* shell() const { return shell_; }

 private:
  void Present();

  WaylandDisplay& display_;
  WaylandDialogInput& input_;
  int width_;
  int height_;
  SurfaceScale shown_;
  wp_viewport* viewport_ = nullptr;
  wl_registry* registry_ = nullptr;
  xdg_wm_base* shell_ = nullptr;
  zxdg_decoration_manager_v1* decorations_ = nullptr;
  wl_seat* seat_ = nullptr;  // its own, to hear of a pointer and a keyboard as they come
  wl_surface* surface_ = nullptr;
  xdg_surface* xdgSurface_ = nullptr;
  xdg_toplevel* toplevel_ = nullptr;
  zxdg_toplevel_decoration_v1* decoration_ = nullptr;
  WaylandKeys keys_;
  WaylandBuffers buffers_;
  WaylandInputDevices devices_;
  const PixelImage* picture_ = nullptr;
  bool configured_ = false;
  bool pointerOver_ = false;
  bool keyboardOn_ = false;
};

}  // namespace quarvel
