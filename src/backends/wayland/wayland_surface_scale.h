#pragma once
// The clock surface's scale: its output's whole scale, or the fractional one the compositor
// prefers for it where it tells one, and the buffer scale or viewport that shows the face the
// core drew in the output's pixels at its logical size.
#include <wayland-client.h>

#include <functional>

#include "backends/wayland/wayland_display.h"
#include "backends/wayland/wayland_scale.h"

struct wp_viewport;
struct wp_fractional_scale_v1;

namespace quarvel {

class WaylandSurfaceScale {
 public:
  explicit WaylandSurfaceScale(WaylandDisplay& display) : display_(display) {}
  ~WaylandSurfaceScale() { Detach(); }
  WaylandSurfaceScale(const WaylandSurfaceScale&) = delete;
  WaylandSurfaceScale& operator=(const WaylandSurfaceScale&) = delete;

  // A new surface on `output`; Detach before the surface goes.
  void Attach(wl_surface* surface, wl_output* output);
  void Detach();
  // The scale in 120ths: the output's, or the compositor's preferred one.
  int32_t scale() const { return scale_; }
  // The output's scale may have changed: read again (where no preferred one is told).
  void OutputsChanged();
  // Called when the scale changed under a surface.
  void OnChanged(std::function<void()> action) { changed_ = std::move(action); }
  // Sets the buffer scale or the viewport for a buffer of that size, when they change; true
  // when they did (the layer's size and the input region follow).
  bool Apply(int32_t bufferWidth, int32_t bufferHeight);
  const SurfaceScale& applied() const { return applied_; }
  // What Apply would set, without a surface.
  SurfaceScale For(int32_t bufferWidth, int32_t bufferHeight) const;

  void Preferred(uint32_t scale);  // the fractional-scale listener

 private:
  void SetScale(int32_t scale);

  WaylandDisplay& display_;
  wl_surface* surface_ = nullptr;
  wl_output* output_ = nullptr;
  wp_viewport* viewport_ = nullptr;
  wp_fractional_scale_v1* fractional_ = nullptr;
  bool preferredTold_ = false;
  int32_t scale_ = kScaleUnit;
  SurfaceScale applied_;
  bool appliedOnce_ = false;
  std::function<void()> changed_;
};

}  // namespace quarvel
