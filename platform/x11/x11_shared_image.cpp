#include "platform/x11/x11_shared_image.h"

#include <X11/Xutil.h>
#include <sys/ipc.h>
#include <sys/shm.h>

#include <cstring>

namespace quarvel {

X11SharedImage::X11SharedImage(X11Display& display, Visual* visual, int depth)
    : display_(display), visual_(visual), depth_(depth) {
  int major = 0, minor = 0;
  Bool pixmaps = False;
  // Only for the 24-bit true-colour layout the core's pixels already have.
  usable_ = XShmQueryVersion(display_.get(), &major, &minor, &pixmaps) &&
            (depth == 24 || depth == 32) && visual->red_mask == 0xFF0000 &&
            visual->green_mask == 0xFF00 && visual->blue_mask == 0xFF;
}

X11SharedImage::~X11SharedImage() {
  for (Buffer& buffer : buffers_) Detach(buffer);
}

bool X11SharedImage::Attach(Buffer& buffer, int width, int height) {
  Detach(buffer);
  buffer.image =
      XShmCreateImage(display_.get(), visual_, static_cast<unsigned>(depth_), ZPixmap, nullptr,
                      &buffer.segment, static_cast<unsigned>(width), static_cast<unsigned>(height));
  if (buffer.image == nullptr || buffer.image->bits_per_pixel != 32) {
    Detach(buffer);
    return false;
  }
  const std::size_t size =
      static_cast<std::size_t>(buffer.image->bytes_per_line) * static_cast<std::size_t>(height);
  buffer.segment.shmid = shmget(IPC_PRIVATE, size, IPC_CREAT | 0600);
  void* memory = buffer.segment.shmid < 0 ? nullptr : shmat(buffer.segment.shmid, nullptr, 0);
  if (memory == nullptr || memory == reinterpret_cast<void*>(-1)) {
    if (buffer.segment.shmid >= 0) shmctl(buffer.segment.shmid, IPC_RMID, nullptr);
    Detach(buffer);
    usable_ = false;
    return false;
  }
  buffer.segment.shmaddr = buffer.image->data = static_cast<char*>(memory);
  buffer.segment.readOnly = True;
  // NOTE: a server on another machine (ssh -X) can't attach, and says so only in an error.
  const bool attached = display_.ErrorOf([&] { XShmAttach(display_.get(), &buffer.segment); }) == 0;
  // Marked for removal now: it goes when both sides have let go, even if the clock crashes.
  shmctl(buffer.segment.shmid, IPC_RMID, nullptr);
  if (!attached) {
    shmdt(buffer.segment.shmaddr);
    buffer.segment.shmaddr = nullptr;
    Detach(buffer);
    usable_ = false;
    return false;
  }
  return true;
}

void X11SharedImage::Detach(Buffer& buffer) {
  if (buffer.image == nullptr) return;
  if (buffer.segment.shmaddr != nullptr) {
    if (!display_.lost()) XShmDetach(display_.get(), &buffer.segment);
    shmdt(buffer.segment.shmaddr);
  }
  buffer.image->data = nullptr;
  XDestroyImage(buffer.image);
  buffer = Buffer{};
}

// NOTE: a picture must not change while the server reads it. The server handles requests in
// order, so once it has answered a later one (the pointer query after each redraw) it is done
// with the picture. Asking it to say so with an event instead costs a wake-up a second: the
// event and the pointer's answer come apart.
bool X11SharedImage::Put(Drawable drawable, GC gc, const PixelImage& picture, int x, int y,
                         int width, int height) {
  if (!usable_ || picture.empty()) return false;
  Buffer& buffer = buffers_[next_];
  if (buffer.put && !display_.Answered(buffer.lastPut)) return false;
  if ((buffer.image == nullptr || buffer.image->width != picture.width ||
       buffer.image->height != picture.height) &&
      !Attach(buffer, picture.width, picture.height))
    return false;
  for (int row = 0; row < picture.height; ++row)
    std::memcpy(
        buffer.image->data + static_cast<std::ptrdiff_t>(row) * buffer.image->bytes_per_line,
        picture.pixels.data() + static_cast<std::ptrdiff_t>(row) * picture.width,
        static_cast<std::size_t>(picture.width) * 4);
  XShmPutImage(display_.get(), drawable, gc, buffer.image, x, y, x, y, static_cast<unsigned>(width),
               static_cast<unsigned>(height), False);
  buffer.put = true;
  buffer.lastPut = display_.LastRequest();
  next_ = 1 - next_;
  return true;
}

}  // namespace quarvel
