#include "backends/wayland/wayland_relative_pointer.h"

#include "relative-pointer-unstable-v1-client-protocol.h"

namespace quarvel {

namespace {
// The accelerated motion: the one the compositor's own pointer made on the screen.
void RelativeMotion(void* data, zwp_relative_pointer_v1*, uint32_t, uint32_t, wl_fixed_t dx,
                    wl_fixed_t dy, wl_fixed_t, wl_fixed_t) {
  static_cast<WaylandRelativePointer*>(data)->Moved(wl_fixed_to_double(dx), wl_fixed_to_double(dy));
}
const zwp_relative_pointer_v1_listener kRelativeListener{.relative_motion = RelativeMotion};
}  // namespace

void WaylandRelativePointer::Follow(wl_pointer* pointer) {
  if (relative_ != nullptr) zwp_relative_pointer_v1_destroy(relative_);
  relative_ = nullptr;
  if (pointer == nullptr || manager_ == nullptr) return;
  relative_ = zwp_relative_pointer_manager_v1_get_relative_pointer(manager_, pointer);
  zwp_relative_pointer_v1_add_listener(relative_, &kRelativeListener, this);
}

}  // namespace quarvel
