#pragma once
// Puts the core's pixels (0x00RRGGBB, rows top to bottom) on an X drawable. On the usual
// 24-bit true-colour screens they go as they are; other screens get them converted.
#include <X11/Xlib.h>

#include "platform/platform_types.h"

namespace quarvel {

class X11ImagePainter {
 public:
  X11ImagePainter(Display* display, Visual* visual, int depth);

  // The part (x, y, width, height) of the picture, at (destX, destY) on the drawable.
  void Put(Drawable drawable, GC gc, const PixelImage& picture, int x, int y, int width, int height,
           int destX, int destY) const;

 private:
  void PutConverted(Drawable drawable, GC gc, const PixelImage& picture, int x, int y, int width,
                    int height, int destX, int destY) const;

  Display* display_;
  Visual* visual_;
  int depth_;
  bool direct_ = false;  // the screen takes 0x00RRGGBB in 32-bit units as it is
};

}  // namespace quarvel
