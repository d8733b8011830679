#pragma once
// Puts the core's pixels (0x00RRGGBB, rows top to bottom) on an X drawable. On the usual
// 24-bit true-colour screens they go as they are; other true-colour screens get them converted,
// and screens with a colour map (8-bit PseudoColor, StaticColor, grey) get the nearest of the
// colours the server gave the clock in that map.
#include <X11/Xlib.h>

#include <vector>

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
  void AllocateColourCube();
  unsigned long ScreenPixel(Pixel pixel) const;

  Display* display_;
  Visual* visual_;
  int depth_;
  bool direct_ = false;  // the screen takes 0x00RRGGBB in 32-bit units as it is
  // A screen with a colour map: `levels_` steps per channel, the map's cell of each of their
  // levels³ colours (red slowest); with no cell to be had, black and white.
  bool mapped_ = false;
  int levels_ = 0;
  std::vector<unsigned long> cube_;
};

}  // namespace quarvel
