#pragma once
// The clock window's drawing area, in memory: the background picture, the back colour where the
// picture doesn't reach, a fore colour, a round pen, straight lines, and the list of every line
// drawn since the last clear. Every backend shows these pixels as they are, so the clock, the
// preview and the editor draw alike on every window system.
#include <cstdint>
#include <functional>
#include <vector>

#include "platform/platform_types.h"

namespace quarvel {

struct DrawnSegment {
  int32_t x1, y1, x2, y2;
  ColorRef color;
  int16_t width;
  bool operator==(const DrawnSegment&) const = default;
};

// The rows, and the columns, a round pen of `width` covers around its point, lo..hi: width 2
// covers 0..1, width 3 covers -1..1.
struct PenReach {
  int lo, hi;
};
inline PenReach PenReachOf(int width) {
  const int w = width < 1 ? 1 : width;
  return {-(w - 1) / 2, w / 2};
}

class FaceCanvas {
 public:
  // The window's own background colour, seen where no picture covers the drawing area: the
  // banner's dark blue.
  static constexpr ColorRef kBackColor = 0x804000;  // red 0, green 64, blue 128

  FaceCanvas(int width, int height);

  void SetBackgroundPicture(PixelImage picture);
  // A new size wipes the drawing.
  void Resize(int width, int height);
  // Lets `paint` draw on a copy of the background picture, the size of the drawing area at
  // least (the back colour where the picture doesn't reach), which then shows under the lines
  // until the next picture or size; null goes back to the plain picture.
  void DecorateBackground(const std::function<void(PixelImage&)>& paint);
  bool Decorated() const { return decorated_; }
  // Counts the changes of the background: a window shows the whole face again after one.
  int BackgroundVersion() const { return backgroundVersion_; }

  // Wipes the run-time drawing; the background picture shows again.
  void Cls();
  void SetForeColor(ColorRef color) { foreColor_ = color; }
  // Pen width in pixels. A width below 1 is refused with the invalid property value error and
  // the old width stays.
  void SetDrawWidth(int16_t width);
  int16_t DrawWidth() const { return drawWidth_; }
  // A straight line in the fore colour and pen width, both end points painted.
  void Line(int32_t x1, int32_t y1, int32_t x2, int32_t y2);
  float ScaleWidth() const { return static_cast<float>(pixels_.width); }
  float ScaleHeight() const { return static_cast<float>(pixels_.height); }

  // The pixels: the picture with every line since the last clear on it, in order.
  const PixelImage& pixels() const {
    Paint();
    return pixels_;
  }
  const std::vector<DrawnSegment>& segments() const { return segments_; }
  // The colour of one pixel in the COLORREF layout.
  ColorRef PixelAt(int x, int y) const;

 private:
  // NOTE: the pixels are brought up to date when they are read. A clock clears and draws its
  // hands once a second all day, and mostly only the second hand moved: only the box of the
  // lines that differ from the ones on the pixels is put back and drawn again (ChangedRows).
  void Paint() const;
  void Restore(const ChangedPart& part) const;
  void Draw(const DrawnSegment& line, const ChangedPart& part) const;
  void Stamp(int x, int y, Pixel pixel, const ChangedPart& part) const;
  void UsePen(int16_t width) const;

  mutable PixelImage pixels_;
  void NewBackground();

  PixelImage picture_;
  PixelImage decoratedPicture_;  // the picture with what DecorateBackground painted on it
  bool decorated_ = false;
  int backgroundVersion_ = 0;
  ColorRef foreColor_ = 0;
  int16_t drawWidth_ = 1;
  std::vector<DrawnSegment> segments_;
  mutable std::vector<DrawnSegment> painted_;  // the lines on the pixels, over the picture
  mutable bool paintedValid_ = false;          // else the pixels hold nothing yet: all is drawn
  mutable bool stale_ = true;                  // a line or a clear since the pixels were painted
  struct PenRow {
    int dy, dxFrom, dxTo;
  };
  mutable std::vector<PenRow> penRows_;  // the round pen of width penWidth_
  mutable int16_t penWidth_ = 0;
};

}  // namespace quarvel
