#pragma once
// The dialog's and the message boxes' controls drawn in Windows' classic look, so the first
// run greets a Linux user as it greets a Windows user: a grey face, bevelled push buttons with
// a dotted frame on the focused one, an etched group box, a picture in a sunken edge, and
// labels that wrap.
#include <X11/Xft/Xft.h>
#include <X11/Xlib.h>

#include <map>
#include <string_view>
#include <vector>

#include "backends/x11/x11_image.h"
#include "backends/x11/x11_text.h"
#include "core/infodialog/dialog_layout.h"
#include "platform/platform_types.h"

namespace quarvel {

class X11ControlPainter {
 public:
  X11ControlPainter(Display* display, int screen, Window window, const X11Font& font);
  ~X11ControlPainter();
  X11ControlPainter(const X11ControlPainter&) = delete;
  X11ControlPainter& operator=(const X11ControlPainter&) = delete;

  unsigned long Grey(int level);
  void Button(const infodialog::PixelRect& r, std::string_view text, bool focused, bool pressed);
  void GroupBox(const infodialog::PixelRect& r);
  // The picture at its own size inside a 2-pixel sunken edge, which r's size includes.
  void SunkenPicture(const infodialog::PixelRect& r, const PixelImage& picture);
  // Left-aligned lines from the top, wrapped within the width, clipped to the rectangle.
  void Label(const infodialog::PixelRect& r, std::string_view text);
  // Lines broken already (where the text was measured), one under the other, clipped likewise.
  void Lines(const infodialog::PixelRect& r, const std::vector<std::string>& lines);

 private:
  void Line(int level, int x1, int y1, int x2, int y2);
  // Top and left in one grey, bottom and right in another, one pixel in from r's edge by inset.
  void Edge(const infodialog::PixelRect& r, int inset, int topLeft, int bottomRight);
  void Text(int x, int baseline, std::string_view text);

  Display* display_;
  Window window_;
  const X11Font& font_;
  GC gc_;
  XftDraw* draw_;
  XftColor black_{};
  X11ImagePainter painter_;
  std::map<int, unsigned long> greys_;
};

}  // namespace quarvel
