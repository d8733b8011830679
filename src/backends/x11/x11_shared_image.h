#pragma once
// The clock's face handed to the X server through shared memory (MIT-SHM): a picture sent over
// the socket every second would make the clock wait for the server to read 160 kB of it; in
// shared memory the server reads it in place. The request goes out through XCB, whose pointer
// queries show when the server is done with it.
#include <X11/Xlib.h>
#include <xcb/shm.h>

#include "backends/x11/x11_display.h"
#include "backends/x11/x11_server_alarm.h"
#include "platform/platform_types.h"

namespace quarvel {

class X11SharedImage {
 public:
  // The alarm's answers also tell when the server is done with a picture.
  X11SharedImage(X11Display& display, X11ServerAlarm& alarm, Visual* visual, int depth);
  ~X11SharedImage();
  X11SharedImage(const X11SharedImage&) = delete;
  X11SharedImage& operator=(const X11SharedImage&) = delete;

  // Puts the part's box of the picture at the same place on the drawable; false when it can't
  // (no shared memory with this server, a screen that takes other pixels, or the server perhaps
  // still reading both pictures), and the caller sends it the plain way. Only the part's rows
  // are copied into a shared picture that holds the face last shown; one that doesn't takes
  // the whole face first.
  bool Put(Drawable drawable, GC gc, const PixelImage& picture, const ChangedPart& part);
  // The part went the plain way: a shared picture the server is done with takes it too, so it
  // still holds the face shown; one it may be reading will take the whole face next time.
  void Follow(const PixelImage& picture, const ChangedPart& part);

 private:
  // One of two pictures: while the server may still read the first, the next face goes into
  // the second.
  struct Buffer {
    xcb_shm_seg_t segment = 0;
    char* memory = nullptr;
    int width = 0;
    int height = 0;
    bool put = false;
    unsigned int lastPut = 0;  // the request that put the picture
    bool inStep = false;       // holds the face last shown
  };
  bool Attach(Buffer& buffer, int width, int height);
  bool Free(const Buffer& buffer) const;
  static void Copy(Buffer& buffer, const PixelImage& picture, const ChangedPart& part);
  void Detach(Buffer& buffer);

  X11Display& display_;
  X11ServerAlarm& alarm_;
  int depth_;
  bool usable_ = false;
  Buffer buffers_[2];
};

}  // namespace quarvel
