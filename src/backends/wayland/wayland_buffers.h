#pragma once
// The clock's two pictures in shared memory (wl_shm, ARGB8888), reused: one the compositor may
// still be reading while the other is written. Each remembers the part of it that is older than
// the face, so a second copies only what changed since that picture was last shown.
#include <wayland-client.h>

#include <array>
#include <cstdint>
#include <functional>
#include <optional>

#include "platform/platform_types.h"

namespace quarvel {

class WaylandBuffers {
 public:
  explicit WaylandBuffers(wl_shm* shm) : shm_(shm) {}
  ~WaylandBuffers() { Free(); }
  WaylandBuffers(const WaylandBuffers&) = delete;
  WaylandBuffers& operator=(const WaylandBuffers&) = delete;

  // Two new pictures of this size, all of each still to be written. False when the memory
  // can't be had (the clock then shows nothing new).
  bool Resize(int32_t width, int32_t height);
  // The face changed within `part`: every picture is older there.
  void MarkChanged(const ImageRect& part);
  // Brings a picture the compositor has let go of up to date with `face` (same size, the
  // pixels as the surface shows them) and returns it; nothing while both are in use.
  wl_buffer* Update(const PixelImage& face);
  // Called when a picture is let go of after both were in use.
  void OnReleased(std::function<void()> action) { released_ = std::move(action); }

  struct Picture {
    WaylandBuffers* owner = nullptr;
    wl_buffer* buffer = nullptr;
    uint32_t* pixels = nullptr;
    std::size_t bytes = 0;
    bool busy = false;  // attached and not yet released by the compositor
    ImageRect stale;    // what is older than the face
  };
  void Released(Picture& picture);

 private:
  void Free();

  wl_shm* shm_;
  int32_t width_ = 0;
  int32_t height_ = 0;
  std::array<Picture, 2> pictures_{};
  bool starved_ = false;  // an update found both in use
  std::function<void()> released_;
};

}  // namespace quarvel
