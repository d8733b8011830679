#include "platform/x11/x11_shared_image.h"

#include <sys/ipc.h>
#include <sys/shm.h>

#include <cstdlib>
#include <cstring>

namespace quarvel {

X11SharedImage::X11SharedImage(X11Display& display, X11ServerAlarm& alarm, Visual* visual,
                               int depth)
    : display_(display), alarm_(alarm), depth_(depth) {
  // Only for the 24-bit true-colour layout, 32 bits a pixel, the core's pixels already have.
  xcb_shm_query_version_reply_t* version =
      xcb_shm_query_version_reply(display_.xcb(), xcb_shm_query_version(display_.xcb()), nullptr);
  usable_ = version != nullptr && (depth == 24 || depth == 32) && visual->red_mask == 0xFF0000 &&
            visual->green_mask == 0xFF00 && visual->blue_mask == 0xFF;
  std::free(version);
  int count = 0;
  XPixmapFormatValues* formats = XListPixmapFormats(display_.get(), &count);
  bool thirtyTwoBits = false;
  for (int i = 0; i < count; ++i)
    if (formats[i].depth == depth) thirtyTwoBits = formats[i].bits_per_pixel == 32;
  if (formats != nullptr) XFree(formats);
  usable_ = usable_ && thirtyTwoBits;
}

X11SharedImage::~X11SharedImage() {
  for (Buffer& buffer : buffers_) Detach(buffer);
}

bool X11SharedImage::Attach(Buffer& buffer, int width, int height) {
  Detach(buffer);
  const std::size_t size = static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 4;
  const int id = shmget(IPC_PRIVATE, size, IPC_CREAT | 0600);
  void* memory = id < 0 ? nullptr : shmat(id, nullptr, 0);
  if (memory == nullptr || memory == reinterpret_cast<void*>(-1)) {
    if (id >= 0) shmctl(id, IPC_RMID, nullptr);
    usable_ = false;
    return false;
  }
  buffer.segment = xcb_generate_id(display_.xcb());
  // NOTE: a server on another machine (ssh -X) can't attach, and says so only in an error.
  xcb_generic_error_t* error = xcb_request_check(
      display_.xcb(),
      xcb_shm_attach_checked(display_.xcb(), buffer.segment, static_cast<uint32_t>(id), 1));
  // Marked for removal now: it goes when both sides have let go, even if the clock crashes.
  shmctl(id, IPC_RMID, nullptr);
  if (error != nullptr) {
    std::free(error);
    shmdt(memory);
    usable_ = false;
    return false;
  }
  buffer.memory = static_cast<char*>(memory);
  buffer.width = width;
  buffer.height = height;
  return true;
}

void X11SharedImage::Detach(Buffer& buffer) {
  if (buffer.memory == nullptr) return;
  if (!display_.lost()) xcb_shm_detach(display_.xcb(), buffer.segment);
  shmdt(buffer.memory);
  buffer = Buffer{};
}

// NOTE: a picture must not change while the server reads it. The server handles requests in
// order, so once it has answered a later one it is done with it: the server's alarm, which waits
// for the counter set after each picture (X11ServerAlarm::MarkPut), or a pointer query on this
// connection. Asking it to say so with an event instead costs a wake-up of its own. Until then
// a new face goes into the other picture, or the plain way: on an idle second that is only the
// few pixels the hands changed. The first picture is taken whenever it is free, as it mostly
// is once the alarm has answered, so the second one mostly never takes memory.
bool X11SharedImage::Put(Drawable drawable, GC gc, const PixelImage& picture, int x, int y,
                         int width, int height) {
  display_.NotePut();
  if (!usable_ || picture.empty() || width <= 0 || height <= 0) return false;
  auto free = [&](const Buffer& b) { return !b.put || display_.Answered(b.lastPut); };
  if (!free(buffers_[0]) && !free(buffers_[1])) return false;
  Buffer& buffer = free(buffers_[0]) ? buffers_[0] : buffers_[1];
  if ((buffer.memory == nullptr || buffer.width != picture.width ||
       buffer.height != picture.height) &&
      !Attach(buffer, picture.width, picture.height))
    return false;
  // Only the part that goes out: the rest of the shared picture is never read.
  const auto rowBytes = static_cast<std::size_t>(width) * sizeof(Pixel);
  for (int row = y; row < y + height; ++row) {
    const std::size_t at = static_cast<std::size_t>(row) * static_cast<std::size_t>(picture.width) +
                           static_cast<std::size_t>(x);
    std::memcpy(buffer.memory + at * sizeof(Pixel), picture.pixels.data() + at, rowBytes);
  }
  XFlushGC(display_.get(), gc);  // Xlib may hold back changes to the GC; XCB draws with it
  const xcb_void_cookie_t put = xcb_shm_put_image(
      display_.xcb(), static_cast<xcb_drawable_t>(drawable),
      static_cast<xcb_gcontext_t>(XGContextFromGC(gc)), static_cast<uint16_t>(picture.width),
      static_cast<uint16_t>(picture.height), static_cast<uint16_t>(x), static_cast<uint16_t>(y),
      static_cast<uint16_t>(width), static_cast<uint16_t>(height), static_cast<int16_t>(x),
      static_cast<int16_t>(y), static_cast<uint8_t>(depth_), XCB_IMAGE_FORMAT_Z_PIXMAP, 0,
      buffer.segment, 0);
  buffer.put = true;
  buffer.lastPut = put.sequence;
  alarm_.MarkPut();
  return true;
}

}  // namespace quarvel
