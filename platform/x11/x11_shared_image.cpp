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
  Detach();
}

bool X11SharedImage::Attach(int width, int height) {
  Detach();
  image_ = XShmCreateImage(display_.get(), visual_, static_cast<unsigned>(depth_), ZPixmap, nullptr,
                           &segment_, static_cast<unsigned>(width), static_cast<unsigned>(height));
  if (image_ == nullptr || image_->bits_per_pixel != 32) {
    Detach();
    return false;
  }
  const std::size_t size =
      static_cast<std::size_t>(image_->bytes_per_line) * static_cast<std::size_t>(height);
  segment_.shmid = shmget(IPC_PRIVATE, size, IPC_CREAT | 0600);
  if (segment_.shmid < 0) {
    Detach();
    return false;
  }
  segment_.shmaddr = image_->data = static_cast<char*>(shmat(segment_.shmid, nullptr, 0));
  segment_.readOnly = True;
  // NOTE: a server on another machine (ssh -X) can't attach, and says so only in an error.
  const bool attached = segment_.shmaddr != reinterpret_cast<char*>(-1) &&
                        display_.ErrorOf([&] { XShmAttach(display_.get(), &segment_); }) == 0;
  // Marked for removal now: it goes when both sides have let go, even if the clock crashes.
  shmctl(segment_.shmid, IPC_RMID, nullptr);
  if (!attached) {
    if (segment_.shmaddr != reinterpret_cast<char*>(-1)) shmdt(segment_.shmaddr);
    segment_.shmaddr = nullptr;
    Detach();
    usable_ = false;
    return false;
  }
  return true;
}

void X11SharedImage::Detach() {
  if (image_ == nullptr) return;
  if (segment_.shmaddr != nullptr) {
    if (!display_.lost()) XShmDetach(display_.get(), &segment_);
    shmdt(segment_.shmaddr);
  }
  image_->data = nullptr;
  XDestroyImage(image_);
  image_ = nullptr;
  segment_ = {};
  lastPut_ = 0;
}

// NOTE: the memory must not change while the server reads it. The server handles requests in
// order, so once it has answered a later one (the pointer query after each redraw) it is done
// with the picture. Asking it to say so with an event instead costs a wake-up a second: the
// event and the pointer's answer come apart.
bool X11SharedImage::Put(Drawable drawable, GC gc, const PixelImage& picture, int x, int y,
                         int width, int height) {
  if (!usable_ || picture.empty()) return false;
  if (lastPut_ != 0 && LastKnownRequestProcessed(display_.get()) < lastPut_) return false;
  if ((image_ == nullptr || image_->width != picture.width || image_->height != picture.height) &&
      !Attach(picture.width, picture.height))
    return false;
  for (int row = 0; row < picture.height; ++row)
    std::memcpy(image_->data + static_cast<std::ptrdiff_t>(row) * image_->bytes_per_line,
                picture.pixels.data() + static_cast<std::ptrdiff_t>(row) * picture.width,
                static_cast<std::size_t>(picture.width) * 4);
  lastPut_ = NextRequest(display_.get());
  XShmPutImage(display_.get(), drawable, gc, image_, x, y, x, y, static_cast<unsigned>(width),
               static_cast<unsigned>(height), False);
  return true;
}

}  // namespace quarvel
