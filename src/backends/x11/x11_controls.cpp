#include "backends/x11/x11_controls.h"

#include <X11/Xutil.h>

#include <string>

#include "dialogpaint/pixel_controls.h"

namespace quarvel {

using namespace classic;  // the same greys as the pixel-drawn dialogs

X11ControlPainter::X11ControlPainter(Display* display, int screen, Window window,
                                     const X11Font& font)
    : display_(display),
      window_(window),
      font_(font),
      gc_(XCreateGC(display, window, 0, nullptr)),
      draw_(XftDrawCreate(display, window, DefaultVisual(display, screen),
                          DefaultColormap(display, screen))),
      painter_(display, DefaultVisual(display, screen), DefaultDepth(display, screen)) {
  XRenderColor black{0, 0, 0, 0xFFFF};
  XftColorAllocValue(display, DefaultVisual(display, screen), DefaultColormap(display, screen),
                     &black, &black_);
}

X11ControlPainter::~X11ControlPainter() {
  XftDrawDestroy(draw_);
  XFreeGC(display_, gc_);
}

unsigned long X11ControlPainter::Grey(int level) {
  auto known = greys_.find(level);
  if (known != greys_.end()) return known->second;
  XColor colour{};
  colour.red = colour.green = colour.blue = static_cast<unsigned short>(level * 257);
  colour.flags = DoRed | DoGreen | DoBlue;
  const Colormap colormap = DefaultColormap(display_, DefaultScreen(display_));
  const unsigned long pixel =
      XAllocColor(display_, colormap, &colour) ? colour.pixel : BlackPixel(display_, 0);
  greys_[level] = pixel;
  return pixel;
}

void X11ControlPainter::Line(int level, int x1, int y1, int x2, int y2) {
  XSetForeground(display_, gc_, Grey(level));
  XDrawLine(display_, window_, gc_, x1, y1, x2, y2);
}

void X11ControlPainter::Edge(const infodialog::PixelRect& r, int inset, int topLeft,
                             int bottomRight) {
  const int left = r.x + inset, top = r.y + inset;
  const int right = r.x + r.width - 1 - inset, bottom = r.y + r.height - 1 - inset;
  Line(topLeft, left, top, right - 1, top);
  Line(topLeft, left, top, left, bottom - 1);
  Line(bottomRight, left, bottom, right, bottom);
  Line(bottomRight, right, top, right, bottom);
}

void X11ControlPainter::Text(int x, int baseline, std::string_view text) {
  XftDrawStringUtf8(draw_, &black_, font_.get(), x, baseline,
                    reinterpret_cast<const FcChar8*>(text.data()), static_cast<int>(text.size()));
}

void X11ControlPainter::Button(const infodialog::PixelRect& r, std::string_view text, bool focused,
                               bool pressed) {
  XSetForeground(display_, gc_, Grey(kFace));
  XFillRectangle(display_, window_, gc_, r.x, r.y, static_cast<unsigned>(r.width),
                 static_cast<unsigned>(r.height));
  infodialog::PixelRect bevel = r;
  if (focused) {  // the button Enter presses has a frame of its own
    XSetForeground(display_, gc_, Grey(kFocusedFrame));
    XDrawRectangle(display_, window_, gc_, r.x, r.y, static_cast<unsigned>(r.width - 1),
                   static_cast<unsigned>(r.height - 1));
    bevel = {r.x + 1, r.y + 1, r.width - 2, r.height - 2};
  }
  if (pressed) {
    Edge(bevel, 0, kShadow, kShadow);
  } else {
    Edge(bevel, 0, kHighlight, kDarkShadow);
    Edge(bevel, 1, kLight, kShadow);
  }
  const int shift = pressed ? 1 : 0;
  Text(r.x + (r.width - font_.Width(text)) / 2 + shift,
       r.y + (r.height - font_.lineHeight()) / 2 + font_.ascent() + shift, text);
  if (!focused) return;
  // The dotted focus frame, every other pixel, three pixels in.
  XSetForeground(display_, gc_, Grey(kFocusDots));
  const int left = r.x + 3, top = r.y + 3, right = r.x + r.width - 4, bottom = r.y + r.height - 4;
  for (int x = left; x <= right; x += 2) {
    XDrawPoint(display_, window_, gc_, x, top);
    XDrawPoint(display_, window_, gc_, x, bottom - (bottom - top) % 2);
  }
  for (int y = top; y <= bottom; y += 2) {
    XDrawPoint(display_, window_, gc_, left, y);
    XDrawPoint(display_, window_, gc_, right - (right - left) % 2, y);
  }
}

// An etched frame whose top runs through the middle of a (here empty) caption line.
void X11ControlPainter::GroupBox(const infodialog::PixelRect& r) {
  const int top = r.y + font_.lineHeight() / 2 - 1;
  XSetForeground(display_, gc_, Grey(kHighlight));
  XDrawRectangle(display_, window_, gc_, r.x + 1, top + 1, static_cast<unsigned>(r.width - 2),
                 static_cast<unsigned>(r.y + r.height - top - 2));
  XSetForeground(display_, gc_, Grey(kShadow));
  XDrawRectangle(display_, window_, gc_, r.x, top, static_cast<unsigned>(r.width - 2),
                 static_cast<unsigned>(r.y + r.height - top - 2));
}

void X11ControlPainter::SunkenPicture(const infodialog::PixelRect& r, const PixelImage& picture) {
  Edge(r, 0, kShadow, kHighlight);
  Edge(r, 1, kDarkShadow, kLight);
  const int width = picture.width < r.width - 4 ? picture.width : r.width - 4;
  const int height = picture.height < r.height - 4 ? picture.height : r.height - 4;
  painter_.Put(window_, gc_, picture, 0, 0, width, height, r.x + 2, r.y + 2);
}

void X11ControlPainter::Label(const infodialog::PixelRect& r, std::string_view text) {
  Lines(r, font_.Wrap(text, r.width));
}

void X11ControlPainter::Lines(const infodialog::PixelRect& r,
                              const std::vector<std::string>& lines) {
  XRectangle clip{static_cast<short>(r.x), static_cast<short>(r.y),
                  static_cast<unsigned short>(r.width), static_cast<unsigned short>(r.height)};
  XftDrawSetClipRectangles(draw_, 0, 0, &clip, 1);
  int top = r.y;
  for (const std::string& line : lines) {
    Text(r.x, top + font_.ascent(), line);
    top += font_.lineHeight();
  }
  XftDrawSetClip(draw_, nullptr);
}

}  // namespace quarvel
