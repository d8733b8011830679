#include "backends/x11/x11_shared_image.h"

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

bool X11SharedImage::Free(const Buffer& buffer) const {
  return !buffer.put || display_.Answered(buffer.lastPut);
}

void X11SharedImage::Copy(Buffer& buffer, const PixelImage& picture, const ChangedPart& part) {
  for (int y = part.box.top; y < part.box.bottom; ++y) {
    const RowSpan& span = part.rows[static_cast<std::size_t>(y - part.box.top)];
    if (span.left >= span.right) continue;
    const std::size_t at = static_cast<std::size_t>(y) * static_cast<std::size_t>(picture.width) +
                           static_cast<std::size_t>(span.left);
    std::memcpy(buffer.memory + at * sizeof(Pixel), picture.pixels.data() + at,
                static_cast<std::size_t>(span.right - span.left) * sizeof(Pixel));
  }
}

// NOTE: a picture must not change while the server reads it. The server handles requests in
// order, so once it has answered a later one it is done with it: the server's alarm, which waits
// for the counter set after each picture (X11ServerAlarm::MarkPut), or a pointer query on this
// connection. Asking it to say so with an event instead costs a wake-up of its own. Until then
// a new face goes into the other picture, or the plain way: on an idle second that is only the
// few pixels the hands changed. The first picture is taken whenever it is free, as it is once
// the alarm has answered, so with the alarm the second one takes no memory.
bool X11SharedImage::Put(Drawable drawable, GC gc, const PixelImage& picture,
                         const ChangedPart& part) {
  display_.NotePut();
  const ImageRect& box = part.box;
  if (!usable_ || picture.empty() || box.empty()) return false;
  // With the alarm the first picture is free again by the next tick; the second, a whole face
  // more of memory, is only for a server that says so less often.
  const bool second = buffers_[1].memory != nullptr || !alarm_.usable();
  if (!Free(buffers_[0]) && !(second && Free(buffers_[1]))) return false;
  const int mine = Free(buffers_[0]) ? 0 : 1;
  Buffer& buffer = buffers_[mine];
  if (buffer.memory == nullptr || buffer.width != picture.width ||
      buffer.height != picture.height) {
    if (!Attach(buffer, picture.width, picture.height)) return false;
    buffer.inStep = false;
  }
  if (!buffer.inStep) {
    std::memcpy(buffer.memory, picture.pixels.data(), picture.pixels.size() * sizeof(Pixel));
    buffer.inStep = true;
  } else {
    Copy(buffer, picture, part);
  }
  XFlushGC(display_.get(), gc);  // Xlib may hold back changes to the GC; XCB draws with it
  const xcb_void_cookie_t put = xcb_shm_put_image(
      display_.xcb(), static_cast<xcb_drawable_t>(drawable),
      static_cast<xcb_gcontext_t>(XGContextFromGC(gc)), static_cast<uint16_t>(picture.width),
      static_cast<uint16_t>(picture.height), static_cast<uint16_t>(box.left),
      static_cast<uint16_t>(box.top), static_cast<uint16_t>(box.width()),
      static_cast<uint16_t>(box.height()), static_cast<int16_t>(box.left),
      static_cast<int16_t>(box.top), static_cast<uint8_t>(depth_), XCB_IMAGE_FORMAT_Z_PIXMAP, 0,
      buffer.segment, 0);
  buffer.put = true;
  buffer.lastPut = put.sequence;
  alarm_.MarkPut();
  buffers_[1 - mine].inStep = false;  // it missed this face
  return true;
}

void X11SharedImage::Follow(const PixelImage& picture, const ChangedPart& part) {
  for (Buffer& buffer : buffers_) {
    if (!buffer.inStep || buffer.width != picture.width || buffer.height != picture.height) {
      buffer.inStep = false;
    } else if (Free(buffer)) {
      Copy(buffer, picture, part);
    } else {
      buffer.inStep = false;
    }
  }
}

}  // namespace quarvel
