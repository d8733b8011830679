#include "clockface/face_canvas.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <new>
#include <utility>

#include "runtime/runtime_error.h"

namespace quarvel {

FaceCanvas::FaceCanvas(int width, int height) {
  Resize(width, height);
}

void FaceCanvas::SetBackgroundPicture(PixelImage picture) {
  picture_ = std::move(picture);
  DirtyAll();
  Cls();
}

void FaceCanvas::DirtyAll() {
  dirty_ = {0, 0, pixels_.width - 1, pixels_.height - 1};
}

void FaceCanvas::Resize(int width, int height) {
  width = std::max(width, 0);
  height = std::max(height, 0);
  try {
    pixels_.pixels.assign(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), 0);
  } catch (const std::bad_alloc&) {
    Raise(ErrorNumber::kOutOfMemory);  // the old size and drawing stay
  }
  pixels_.width = width;
  pixels_.height = height;
  DirtyAll();
  Cls();
}

// Only what was drawn since the last clear is put back: a redraw touches a few thousand of a
// face's pixels, and the clock clears once a second all day.
void FaceCanvas::Cls() {
  const Pixel back = PixelFromColorRef(kBackColor);
  const int pictureWidth = std::max(picture_.width, 0),
            pictureHeight = std::max(picture_.height, 0);
  const auto w = static_cast<std::size_t>(pixels_.width);
  for (int y = dirty_.top; y <= dirty_.bottom; ++y) {
    Pixel* row = &pixels_.pixels[static_cast<std::size_t>(y) * w];
    int x = dirty_.left;
    // The picture sits unscaled at the top-left corner; the back colour fills the rest.
    if (y < pictureHeight) {
      const int covered = std::min(dirty_.right + 1, pictureWidth);
      if (x < covered)
        std::copy(&picture_.pixels[static_cast<std::size_t>(y) * pictureWidth + x],
                  &picture_.pixels[static_cast<std::size_t>(y) * pictureWidth + covered], row + x);
      x = std::max(x, covered);
    }
    std::fill(row + x, row + dirty_.right + 1, back);
  }
  dirty_ = {};
  segments_.clear();
}

ColorRef FaceCanvas::PixelAt(int x, int y) const {
  const Pixel p = pixels_.At(x, y);
  return static_cast<ColorRef>(((p >> 16) & 0xFF) | (p & 0xFF00) | ((p & 0xFF) << 16));
}

// One row of pen pixels, clipped to the drawing area.
void FaceCanvas::Span(int y, int x1, int x2) {
  if (y < 0 || y >= pixels_.height) return;
  x1 = std::max(x1, 0);
  x2 = std::min(x2, pixels_.width - 1);
  if (x1 > x2) return;
  Pixel* row =
      &pixels_.pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(pixels_.width)];
  std::fill(row + x1, row + x2 + 1, forePixel_);
  dirty_ = {std::min(dirty_.left, x1), std::min(dirty_.top, y), std::max(dirty_.right, x2),
            std::max(dirty_.bottom, y)};
}

// A round pen: a disc of the pen's width centred on the point, as wide pens draw on screen. Its
// rows are worked out once per width, so a stamp is a few clipped spans.
void FaceCanvas::SetDrawWidth(int16_t width) {
  if (width < 1) Raise(ErrorNumber::kInvalidPropertyValue);
  drawWidth_ = width;
  penRows_.clear();
  const int w = width;
  const int lo = -(w - 1) / 2;  // width 2 covers 0..1, width 3 covers -1..1
  const int hi = w / 2;
  const double centre = w % 2 == 0 ? 0.5 : 0.0;  // an even pen's centre lies between pixels
  const double r2 = (w / 2.0) * (w / 2.0);
  for (int dy = lo; dy <= hi; ++dy) {
    const double ey = dy - centre;
    const double half = std::sqrt(std::max(0.0, r2 - ey * ey));
    penRows_.push_back({dy, std::max(lo, static_cast<int>(std::ceil(centre - half))),
                        std::min(hi, static_cast<int>(std::floor(centre + half)))});
  }
}

// Only the rows that reach the drawing area are stamped, so even a pen far wider than the
// surface stays cheap.
void FaceCanvas::Stamp(int x, int y) {
  const int lo = penRows_.front().dy;
  const int from = std::max(0, -y - lo);
  const int to = std::min(static_cast<int>(penRows_.size()) - 1, pixels_.height - 1 - y - lo);
  for (int i = from; i <= to; ++i) {
    const PenRow& row = penRows_[static_cast<std::size_t>(i)];
    Span(y + row.dy, x + row.dxFrom, x + row.dxTo);
  }
}

namespace {
// Liang-Barsky: cuts a line to a box. Used only for lines far longer than the surface, so the
// walk below stays short whatever 32-bit end points a skin produces.
bool ClipToBox(double& x1, double& y1, double& x2, double& y2, double lo, double hi) {
  double t0 = 0.0, t1 = 1.0;
  const double dx = x2 - x1, dy = y2 - y1;
  const double p[4] = {-dx, dx, -dy, dy};
  const double q[4] = {x1 - lo, hi - x1, y1 - lo, hi - y1};
  for (int i = 0; i < 4; ++i) {
    if (p[i] == 0.0) {
      if (q[i] < 0.0) return false;
      continue;
    }
    const double t = q[i] / p[i];
    if (p[i] < 0.0)
      t0 = std::max(t0, t);
    else
      t1 = std::min(t1, t);
  }
  if (t0 > t1) return false;
  const double ox = x1, oy = y1;
  x1 = ox + t0 * dx;
  y1 = oy + t0 * dy;
  x2 = ox + t1 * dx;
  y2 = oy + t1 * dy;
  return true;
}
}  // namespace

void FaceCanvas::Line(int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
  segments_.push_back({x1, y1, x2, y2, foreColor_, drawWidth_});
  int64_t ax = x1, ay = y1, bx = x2, by = y2;
  const int64_t reach = int64_t{pixels_.width} + pixels_.height + drawWidth_ + 2;
  if (std::llabs(bx - ax) + std::llabs(by - ay) > 4 * reach) {
    double fx1 = static_cast<double>(ax), fy1 = static_cast<double>(ay);
    double fx2 = static_cast<double>(bx), fy2 = static_cast<double>(by);
    if (!ClipToBox(fx1, fy1, fx2, fy2, static_cast<double>(-reach), static_cast<double>(reach)))
      return;
    ax = std::llround(fx1), ay = std::llround(fy1), bx = std::llround(fx2), by = std::llround(fy2);
  }
  // Bresenham, stamping the round pen at every step.
  const int64_t dx = std::llabs(bx - ax), dy = -std::llabs(by - ay);
  const int64_t sx = ax < bx ? 1 : -1, sy = ay < by ? 1 : -1;
  int64_t err = dx + dy;
  const int64_t pen = drawWidth_;
  for (;;) {
    // Only points whose pen reaches the area are stamped, so the pen's sums stay small.
    if (ax > -pen && ax < pixels_.width + pen && ay > -pen && ay < pixels_.height + pen)
      Stamp(static_cast<int>(ax), static_cast<int>(ay));
    if (ax == bx && ay == by) break;
    const int64_t e2 = 2 * err;
    if (e2 >= dy) {
      err += dy;
      ax += sx;
    }
    if (e2 <= dx) {
      err += dx;
      ay += sy;
    }
  }
}

}  // namespace quarvel
