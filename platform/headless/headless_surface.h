#pragma once
// A drawing surface in memory: the background picture, a software line rasteriser that honours
// the pen width, and the list of every line drawn since the last clear, for exact checks.
#include <cstdint>
#include <vector>

#include "platform/drawing_surface.h"
#include "platform/headless/headless_image.h"

namespace quarvel {

struct DrawnSegment {
  int32_t x1, y1, x2, y2;
  ColorRef color;
  int16_t width;
  bool operator==(const DrawnSegment&) const = default;
};

class HeadlessSurface : public DrawingSurface {
 public:
  // The window's own background colour, seen where no picture covers the drawing area.
  static constexpr ColorRef kDefaultBackColor = 0x804000;  // red 0, green 64, blue 128

  HeadlessSurface(int width, int height);

  void SetBackgroundPicture(HeadlessImage picture);
  void Resize(int width, int height);

  void Cls() override;
  void SetForeColor(ColorRef color) override { foreColor_ = color; }
  void SetDrawWidth(int16_t width) override;
  int16_t DrawWidth() const override { return drawWidth_; }
  void Line(int32_t x1, int32_t y1, int32_t x2, int32_t y2) override;
  float ScaleWidth() const override { return static_cast<float>(pixels_.width); }
  float ScaleHeight() const override { return static_cast<float>(pixels_.height); }

  const HeadlessImage& pixels() const { return pixels_; }
  const std::vector<DrawnSegment>& segments() const { return segments_; }
  ColorRef PixelAt(int x, int y) const;

 private:
  void Plot(int x, int y);
  void Stamp(int x, int y);

  HeadlessImage pixels_;
  HeadlessImage picture_;
  ColorRef backColor_ = kDefaultBackColor;
  ColorRef foreColor_ = 0;
  int16_t drawWidth_ = 1;
  std::vector<DrawnSegment> segments_;
};

}  // namespace quarvel
