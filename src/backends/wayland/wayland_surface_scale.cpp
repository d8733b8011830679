#include "backends/wayland/wayland_surface_scale.h"

#include "fractional-scale-v1-client-protocol.h"
#include "viewporter-client-protocol.h"

namespace quarvel {

namespace {
void PreferredScale(void* data, wp_fractional_scale_v1*, uint32_t scale) {
  static_cast<WaylandSurfaceScale*>(data)->Preferred(scale);
}
const wp_fractional_scale_v1_listener kFractionalListener{PreferredScale};
}  // namespace

void WaylandSurfaceScale::Attach(wl_surface* surface, wl_output* output) {
  Detach();
  surface_ = surface;
  output_ = output;
  if (display_.viewporter() != nullptr)
    viewport_ = wp_viewporter_get_viewport(display_.viewporter(), surface);
  if (display_.fractionalScale() != nullptr) {
    fractional_ =
        wp_fractional_scale_manager_v1_get_fractional_scale(display_.fractionalScale(), surface);
    wp_fractional_scale_v1_add_listener(fractional_, &kFractionalListener, this);
  }
  appliedOnce_ = false;
  SetScale(display_.OutputScale(output) * kScaleUnit);
}

void WaylandSurfaceScale::Detach() {
  if (viewport_ != nullptr) wp_viewport_destroy(viewport_);
  if (fractional_ != nullptr) wp_fractional_scale_v1_destroy(fractional_);
  viewport_ = nullptr;
  fractional_ = nullptr;
  surface_ = nullptr;
  output_ = nullptr;
  preferredTold_ = false;
}

void WaylandSurfaceScale::OutputsChanged() {
  if (surface_ != nullptr && !preferredTold_) SetScale(display_.OutputScale(output_) * kScaleUnit);
}

void WaylandSurfaceScale::Preferred(uint32_t scale) {
  if (scale == 0 || scale > 100 * kScaleUnit) return;
  preferredTold_ = true;
  SetScale(static_cast<int32_t>(scale));
}

void WaylandSurfaceScale::SetScale(int32_t scale) {
  if (scale == scale_) return;
  scale_ = scale;
  if (changed_) changed_();
}

SurfaceScale WaylandSurfaceScale::For(int32_t bufferWidth, int32_t bufferHeight) const {
  return SurfaceScaleFor(bufferWidth, bufferHeight, scale_, display_.viewporter() != nullptr);
}

bool WaylandSurfaceScale::Apply(int32_t bufferWidth, int32_t bufferHeight) {
  const SurfaceScale wanted = For(bufferWidth, bufferHeight);
  if (surface_ == nullptr || (appliedOnce_ && wanted == applied_)) return false;
  wl_surface_set_buffer_scale(surface_, wanted.bufferScale);
  if (viewport_ != nullptr) {
    if (wanted.viewport)
      wp_viewport_set_destination(viewport_, wanted.width, wanted.height);
    else
      wp_viewport_set_destination(viewport_, -1, -1);  // the buffer's size over its scale
  }
  applied_ = wanted;
  appliedOnce_ = true;
  return true;
}

}  // namespace quarvel
