#pragma once
// The dialogs' controls in Windows' classic look painted into pixels (ARGB, opaque), for a
// window system that shows a picture of the window (Wayland's shared memory): the grey face,
// bevelled push buttons with a dotted frame on the focused one, an etched group box, a picture
// in a sunken edge and labels that wrap; the same greys and places as the X11 dialog's.
#include <string>
#include <string_view>
#include <vector>

#include "core/infodialog/dialog_layout.h"
#include "dialogpaint/glyph_text.h"
#include "platform/platform_types.h"

namespace quarvel {

// The greys of Windows' classic three-dimensional look, as Wine draws them.
namespace classic {
inline constexpr int kFace = 245;
inline constexpr int kHighlight = 255;
inline constexpr int kLight = 227;
inline constexpr int kShadow = 166;
inline constexpr int kDarkShadow = 106;
inline constexpr int kFocusedFrame = 158;
inline constexpr int kFocusDots = 255 - kFace;  // the face inverted
}  // namespace classic

// A picture of that size, all zero, for PixelControls to paint.
PixelImage BlankPicture(int width, int height);
inline PixelImage BlankPicture(const infodialog::PixelRect& r) {
  return BlankPicture(r.width, r.height);
}

class PixelControls {
 public:
  // Paints into `image`, which the caller keeps and shows.
  PixelControls(PixelImage& image, const GlyphText& text) : image_(image), text_(text) {}

  // The whole image in the face's grey.
  void Clear();
  void Button(const infodialog::PixelRect& r, std::string_view text, bool focused, bool pressed);
  void GroupBox(const infodialog::PixelRect& r);
  // The picture at its own size inside a 2-pixel sunken edge, which r's size includes.
  void SunkenPicture(const infodialog::PixelRect& r, const PixelImage& picture);
  // Left-aligned lines from the top, wrapped within the width, clipped to the rectangle.
  void Label(const infodialog::PixelRect& r, std::string_view text);
  // Lines broken already (where the text was measured), one under the other, clipped likewise.
  void Lines(const infodialog::PixelRect& r, const std::vector<std::string>& lines);

 private:
  void Fill(int level, int x, int y, int width, int height);
  void Point(int level, int x, int y);
  // Inclusive ends, as X draws a line; only level or upright lines are drawn here.
  void Line(int level, int x1, int y1, int x2, int y2);
  // The outline from (x, y) to (x + width, y + height) inclusive, as X draws a rectangle.
  void Outline(int level, int x, int y, int width, int height);
  // Top and left in one grey, bottom and right in another, one pixel in from r's edge by inset.
  void Edge(const infodialog::PixelRect& r, int inset, int topLeft, int bottomRight);

  PixelImage& image_;
  const GlyphText& text_;
};

}  // namespace quarvel
