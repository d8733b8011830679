#include "backends/x11/x11_image.h"

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
  mapped_ = visual->c_class != TrueColor && visual->c_class != DirectColor;
  if (mapped_) AllocateColourCube();
}

// NOTE: a colour-map screen's pixel values are cells of the map, not colours. The clock asks
// the server for an even cube of colours, shared with other clients (read-only cells; a static
// map gives its nearest), as many steps a channel as the map has room for; the server frees
// them when the clock's connection closes.
void X11ImagePainter::AllocateColourCube() {
  const Colormap map = DefaultColormap(display_, DefaultScreen(display_));
  for (int levels = 6; levels >= 2; --levels) {
    cube_.clear();
    bool complete = true;
    for (int i = 0; i < levels * levels * levels && complete; ++i) {
      const auto level = [levels](int step) {
        return static_cast<unsigned short>(step * 65535 / (levels - 1));
      };
      XColor colour{};
      colour.red = level(i / (levels * levels));
      colour.green = level(i / levels % levels);
      colour.blue = level(i % levels);
      colour.flags = DoRed | DoGreen | DoBlue;
      complete = XAllocColor(display_, map, &colour) != 0;
      if (complete) cube_.push_back(colour.pixel);
    }
    if (complete) {
      levels_ = levels;
      return;
    }
    if (!cube_.empty()) XFreeColors(display_, map, cube_.data(), static_cast<int>(cube_.size()), 0);
  }
  cube_.clear();
}

unsigned long X11ImagePainter::ScreenPixel(Pixel p) const {
  const uint32_t red = (p >> 16) & 0xFF, green = (p >> 8) & 0xFF, blue = p & 0xFF;
  if (!mapped_)
    return Channel(red, visual_->red_mask) | Channel(green, visual_->green_mask) |
           Channel(blue, visual_->blue_mask);
  const int screen = DefaultScreen(display_);
  if (levels_ == 0)  // by brightness
    return red * 30 + green * 59 + blue * 11 >= 128 * 100 ? WhitePixel(display_, screen)
                                                          : BlackPixel(display_, screen);
  const auto step = [this](uint32_t value) {
    return static_cast<int>((value * static_cast<uint32_t>(levels_ - 1) + 127) / 255);
  };
  return cube_[static_cast<std::size_t>((step(red) * levels_ + step(green)) * levels_ +
                                        step(blue))];
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
      XPutPixel(image, column, row, ScreenPixel(picture.At(x + column, y + row)));
    }
  XPutImage(display_, drawable, gc, image, 0, 0, destX, destY, static_cast<unsigned>(width),
            static_cast<unsigned>(height));
  image->data = nullptr;  // ours, freed with the vector
  XDestroyImage(image);
}

}  // namespace quarvel
