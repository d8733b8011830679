#include "platform/x11/x11_image.h"

#include <X11/Xutil.h>

#include <bit>
#include <cstdlib>
#include <vector>

namespace quarvel {

namespace {
int BitsPerPixel(Display* display, int depth) {
  int count = 0;
  XPixmapFormatValues* formats = XListPixmapFormats(display, &count);
  int bits = 0;
  for (int i = 0; i < count; ++i)
    if (formats[i].depth == depth) bits = formats[i].bits_per_pixel;
  if (formats != nullptr) XFree(formats);
  return bits;
}

// A colour channel of 0..255 placed under a visual's mask, scaled to the mask's width.
unsigned long Channel(uint32_t value, unsigned long mask) {
  if (mask == 0) return 0;
  const int shift = std::countr_zero(mask);
  const int width = std::popcount(mask);
  const unsigned long scaled =
      width >= 8 ? static_cast<unsigned long>(value) << (width - 8) : value >> (8 - width);
  return (scaled << shift) & mask;
}
}  // namespace

X11ImagePainter::X11ImagePainter(Display* display, Visual* visual, int depth)
    : display_(display), visual_(visual), depth_(depth) {
  direct_ = (depth == 24 || depth == 32) && visual->red_mask == 0xFF0000 &&
            visual->green_mask == 0xFF00 && visual->blue_mask == 0xFF &&
            BitsPerPixel(display, depth) == 32;
}

void X11ImagePainter::Put(Drawable drawable, GC gc, const PixelImage& picture, int x, int y,
                          int width, int height, int destX, int destY) const {
  if (picture.empty() || width <= 0 || height <= 0) return;
  if (!direct_) {
    PutConverted(drawable, gc, picture, x, y, width, height, destX, destY);
    return;
  }
  // The picture's own memory, described as an image in this machine's byte order: Xlib
  // reorders the bytes itself when the server's order differs.
  XImage image{};
  image.width = picture.width;
  image.height = picture.height;
  image.format = ZPixmap;
  image.data = reinterpret_cast<char*>(const_cast<Pixel*>(picture.pixels.data()));
  image.byte_order = std::endian::native == std::endian::little ? LSBFirst : MSBFirst;
  image.bitmap_unit = 32;
  image.bitmap_bit_order = image.byte_order;
  image.bitmap_pad = 32;
  image.depth = depth_;
  image.bytes_per_line = picture.width * 4;
  image.bits_per_pixel = 32;
  image.red_mask = visual_->red_mask;
  image.green_mask = visual_->green_mask;
  image.blue_mask = visual_->blue_mask;
  if (XInitImage(&image) == 0) return;
  XPutImage(display_, drawable, gc, &image, x, y, destX, destY, static_cast<unsigned>(width),
            static_cast<unsigned>(height));
}

void X11ImagePainter::PutConverted(Drawable drawable, GC gc, const PixelImage& picture, int x,
                                   int y, int width, int height, int destX, int destY) const {
  XImage* image =
      XCreateImage(display_, visual_, static_cast<unsigned>(depth_), ZPixmap, 0, nullptr,
                   static_cast<unsigned>(width), static_cast<unsigned>(height), 32, 0);
  if (image == nullptr) return;
  std::vector<char> data(static_cast<std::size_t>(image->bytes_per_line) *
                         static_cast<std::size_t>(height));
  image->data = data.data();
  for (int row = 0; row < height; ++row)
    for (int column = 0; column < width; ++column) {
      const Pixel p = picture.At(x + column, y + row);
      XPutPixel(image, column, row,
                Channel((p >> 16) & 0xFF, visual_->red_mask) |
                    Channel((p >> 8) & 0xFF, visual_->green_mask) |
                    Channel(p & 0xFF, visual_->blue_mask));
    }
  XPutImage(display_, drawable, gc, image, 0, 0, destX, destY, static_cast<unsigned>(width),
            static_cast<unsigned>(height));
  image->data = nullptr;  // ours, freed with the vector
  XDestroyImage(image);
}

}  // namespace quarvel
