#pragma once
// The clock's face handed to the X server through shared memory (MIT-SHM): a picture sent over
// the socket every second would make the clock wait for the server to read 160 kB of it, one
// more wake-up a second; in shared memory the server reads it in place.
#include <X11/Xlib.h>
#include <X11/extensions/XShm.h>

#include "platform/platform_types.h"
#include "platform/x11/x11_display.h"

namespace quarvel {

class X11SharedImage {
 public:
  X11SharedImage(X11Display& display, Visual* visual, int depth);
  ~X11SharedImage();
  X11SharedImage(const X11SharedImage&) = delete;
  X11SharedImage& operator=(const X11SharedImage&) = delete;

  // Puts the part (x, y, width, height) of the picture at the same place on the drawable;
  // false when it can't (no shared memory with this server, a screen that takes other pixels,
  // or the server perhaps still reading the last picture), and the caller sends it the plain
  // way.
  bool Put(Drawable drawable, GC gc, const PixelImage& picture, int x, int y, int width,
           int height);

 private:
  // One of two pictures in shared memory: while the server may still read one, the next
  // face goes into the other.
  struct Buffer {
    XShmSegmentInfo segment{};
    XImage* image = nullptr;
    bool put = false;
    unsigned int lastPut = 0;  // the request that put it
  };
  bool Attach(Buffer& buffer, int width, int height);
  void Detach(Buffer& buffer);

  X11Display& display_;
  Visual* visual_;
  int depth_;
  bool usable_ = false;
  Buffer buffers_[2];
  int next_ = 0;
};

}  // namespace quarvel
