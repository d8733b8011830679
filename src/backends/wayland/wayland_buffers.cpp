#include "backends/wayland/wayland_buffers.h"

#include <sys/mman.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>

namespace quarvel {

namespace {
void BufferRelease(void* data, wl_buffer*) {
  auto* picture = static_cast<WaylandBuffers::Picture*>(data);
  picture->owner->Released(*picture);
}
const wl_buffer_listener kBufferListener{BufferRelease};
}  // namespace

bool WaylandBuffers::Resize(int32_t width, int32_t height) {
  Free();
  const std::size_t bytes = static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 4;
  if (width < 1 || height < 1) return false;
  for (Picture& picture : pictures_) {
    const int fd = memfd_create("quarvel-face", MFD_CLOEXEC);
    if (fd < 0) return false;
    void* memory = MAP_FAILED;
    if (ftruncate(fd, static_cast<off_t>(bytes)) == 0)
      memory = mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_SHARED, fd, 0);
    if (memory == MAP_FAILED) {
      close(fd);
      Free();
      return false;
    }
    wl_shm_pool* pool = wl_shm_create_pool(shm_, fd, static_cast<int32_t>(bytes));
    picture = {this,
               wl_shm_pool_create_buffer(pool, 0, width, height, width * 4, WL_SHM_FORMAT_ARGB8888),
               static_cast<uint32_t*>(memory),
               bytes,
               false,
               {0, 0, width, height}};
    wl_shm_pool_destroy(pool);  // the buffer keeps the memory it needs
    close(fd);
    wl_buffer_add_listener(picture.buffer, &kBufferListener, &picture);
  }
  width_ = width;
  height_ = height;
  return true;
}

void WaylandBuffers::Free() {
  for (Picture& picture : pictures_) {
    if (picture.buffer != nullptr) wl_buffer_destroy(picture.buffer);
    if (picture.pixels != nullptr) munmap(picture.pixels, picture.bytes);
    picture = {};
  }
  width_ = height_ = 0;
}

void WaylandBuffers::MarkChanged(const ImageRect& part) {
  for (Picture& picture : pictures_) picture.stale = Union(picture.stale, part);
}

wl_buffer* WaylandBuffers::Update(const PixelImage& face) {
  if (face.width != width_ || face.height != height_) return nullptr;
  auto free = std::find_if(pictures_.begin(), pictures_.end(),
                           [](const Picture& p) { return p.buffer != nullptr && !p.busy; });
  if (free == pictures_.end()) {
    starved_ = true;
    return nullptr;
  }
  const ImageRect& box = free->stale;
  const auto width = static_cast<std::size_t>(width_);
  for (int32_t y = std::max(box.top, 0); y < std::min(box.bottom, height_); ++y) {
    const int32_t left = std::max(box.left, 0), right = std::min(box.right, width_);
    if (right <= left) break;
    const std::size_t at = static_cast<std::size_t>(y) * width + static_cast<std::size_t>(left);
    std::memcpy(free->pixels + at, face.pixels.data() + at,
                static_cast<std::size_t>(right - left) * sizeof(uint32_t));
  }
  free->stale = {};
  free->busy = true;
  return free->buffer;
}

void WaylandBuffers::Released(Picture& picture) {
  picture.busy = false;
  if (!starved_) return;
  starved_ = false;
  if (released_) released_();
}

}  // namespace quarvel
