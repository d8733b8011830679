#pragma once
// The pointer's own motion (relative-pointer), which the compositor sends to the surface the
// pointer is over whatever that surface does meanwhile: what the clock's drag follows.
#include <wayland-client.h>

#include <functional>

struct zwp_relative_pointer_manager_v1;
struct zwp_relative_pointer_v1;

namespace quarvel {

class WaylandRelativePointer {
 public:
  using Motion = std::function<void(double dx, double dy)>;
  // A compositor without the protocol (a null manager) sends no motion.
  WaylandRelativePointer(zwp_relative_pointer_manager_v1* manager, Motion motion)
      : manager_(manager), motion_(std::move(motion)) {}
  ~WaylandRelativePointer() { Follow(nullptr); }
  WaylandRelativePointer(const WaylandRelativePointer&) = delete;
  WaylandRelativePointer& operator=(const WaylandRelativePointer&) = delete;

  bool available() const { return manager_ != nullptr; }
  // The seat's pointer whose motion is told (null: none now).
  void Follow(wl_pointer* pointer);
  void Moved(double dx, double dy) { motion_(dx, dy); }

 private:
  zwp_relative_pointer_manager_v1* manager_;
  Motion motion_;
  zwp_relative_pointer_v1* relative_ = nullptr;
};

}  // namespace quarvel
