#include "core/clockface/face_canvas.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <new>
#include <utility>

#include "core/clockface/changed_box.h"
#include "runtime/runtime_error.h"

namespace quarvel {

FaceCanvas::FaceCanvas(int width, int height) {
  Resize(width, height);
}

void FaceCanvas::SetBackgroundPicture(PixelImage picture) {
  picture_ = std::move(picture);
  NewBackground();
  Cls();
}

void FaceCanvas::NewBackground() {
  decorated_ = false;
  decoratedPicture_ = {};
  ++backgroundVersion_;
  paintedValid_ = false;
  stale_ = true;
}

void FaceCanvas::DecorateBackground(const std::function<void(PixelImage&)>& paint) {
  NewBackground();
  if (!paint) return;
  PixelImage& base = decoratedPicture_;
  base.width = std::max(picture_.width, pixels_.width);
  base.height = std::max(picture_.height, pixels_.height);
  base.pixels.assign(static_cast<std::size_t>(base.width) * static_cast<std::size_t>(base.height),
                     PixelFromColorRef(kBackColor));
  for (int y = 0; y < picture_.height; ++y)
    std::copy_n(&picture_.pixels[static_cast<std::size_t>(y) * picture_.width], picture_.width,
                &base.pixels[static_cast<std::size_t>(y) * base.width]);
  paint(base);
  decorated_ = true;
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
  NewBackground();
  Cls();
}

void FaceCanvas::Cls() {
  segments_.clear();
  stale_ = true;
}

ColorRef FaceCanvas::PixelAt(int x, int y) const {
  const Pixel p = pixels().At(x, y);
  return static_cast<ColorRef>(((p >> 16) & 0xFF) | (p & 0xFF00) | ((p & 0xFF) << 16));
}

void FaceCanvas::Paint() const {
  if (!stale_) return;
  const ChangedPart part = paintedValid_
                               ? ChangedRows(painted_, segments_, pixels_.width, pixels_.height)
                               : WholeRows(WholeImage(pixels_));
  if (!part.box.empty()) {
    Restore(part);
    for (const DrawnSegment& line : segments_) Draw(line, part);
  }
  painted_ = segments_;
  paintedValid_ = true;
  stale_ = false;
}

// The picture sits unscaled at the top-left corner; the back colour fills the rest.
void FaceCanvas::Restore(const ChangedPart& part) const {
  const Pixel back = PixelFromColorRef(kBackColor);
  const PixelImage& picture = decorated_ ? decoratedPicture_ : picture_;
  const int pictureWidth = std::max(picture.width, 0), pictureHeight = std::max(picture.height, 0);
  const auto w = static_cast<std::size_t>(pixels_.width);
  for (int y = part.box.top; y < part.box.bottom; ++y) {
    const RowSpan& span = part.rows[static_cast<std::size_t>(y - part.box.top)];
    Pixel* row = &pixels_.pixels[static_cast<std::size_t>(y) * w];
    int x = span.left;
    if (y < pictureHeight) {
      const int covered = std::min(span.right, pictureWidth);
      if (x < covered)
        std::copy(&picture.pixels[static_cast<std::size_t>(y) * pictureWidth + x],
                  &picture.pixels[static_cast<std::size_t>(y) * pictureWidth + covered], row + x);
      x = std::max(x, covered);
    }
    if (x < span.right) std::fill(row + x, row + span.right, back);
  }
}

// A round pen: a disc of the pen's width centred on the point, as wide pens draw on screen.
void FaceCanvas::SetDrawWidth(int16_t width) {
  if (width < 1) Raise(ErrorNumber::kInvalidPropertyValue);
  drawWidth_ = width;
}

// The pen's rows are worked out once per width, so a stamp is a few clipped spans.
void FaceCanvas::UsePen(int16_t width) const {
  if (width == penWidth_) return;
  penWidth_ = width;
  penRows_.clear();
  const int w = width;
  const auto [lo, hi] = PenReachOf(w);
  const double centre = w % 2 == 0 ? 0.5 : 0.0;  // an even pen's centre lies between pixels
  const double r2 = (w / 2.0) * (w / 2.0);
  for (int dy = lo; dy <= hi; ++dy) {
    const double ey = dy - centre;
    const double half = std::sqrt(std::max(0.0, r2 - ey * ey));
    penRows_.push_back({dy, std::max(lo, static_cast<int>(std::ceil(centre - half))),
                        std::min(hi, static_cast<int>(std::floor(centre + half)))});
  }
}

// Only the rows that reach the changed part are stamped, each within its columns, so even a
// pen far wider than the surface stays cheap.
void FaceCanvas::Stamp(int x, int y, Pixel pixel, const ChangedPart& part) const {
  const ImageRect& clip = part.box;
  const int lo = penRows_.front().dy;
  const int from = std::max(0, clip.top - y - lo);
  const int to = std::min(static_cast<int>(penRows_.size()) - 1, clip.bottom - 1 - y - lo);
  const auto w = static_cast<std::size_t>(pixels_.width);
  for (int i = from; i <= to; ++i) {
    const PenRow& row = penRows_[static_cast<std::size_t>(i)];
    const RowSpan& span = part.rows[static_cast<std::size_t>(y + row.dy - clip.top)];
    const int x1 = std::max(x + row.dxFrom, span.left);
    const int x2 = std::min(x + row.dxTo, span.right - 1);
    if (x1 > x2) continue;
    Pixel* line = &pixels_.pixels[static_cast<std::size_t>(y + row.dy) * w];
    std::fill(line + x1, line + x2 + 1, pixel);
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
  stale_ = true;
}

// The line's pixels within the changed part (which lies within the surface).
void FaceCanvas::Draw(const DrawnSegment& line, const ChangedPart& part) const {
  const ImageRect& clip = part.box;
  const ImageRect box = LineBox(line, pixels_.width, pixels_.height);
  if (box.empty() || box.right <= clip.left || clip.right <= box.left || box.bottom <= clip.top ||
      clip.bottom <= box.top)
    return;
  UsePen(line.width);
  const Pixel pixel = PixelFromColorRef(line.color);
  int64_t ax = line.x1, ay = line.y1, bx = line.x2, by = line.y2;
  const int64_t reach = int64_t{pixels_.width} + pixels_.height + line.width + 2;
  if (std::llabs(bx - ax) + std::llabs(by - ay) > 4 * reach) {
    double fx1 = static_cast<double>(ax), fy1 = static_cast<double>(ay);
    double fx2 = static_cast<double>(bx), fy2 = static_cast<double>(by);
    if (!ClipToBox(fx1, fy1, fx2, fy2, static_cast<double>(-reach), static_cast<double>(reach)))
      return;
    ax = std::llround(fx1), ay = std::llround(fy1), bx = std::llround(fx2), by = std::llround(fy2);
  }
  // Bresenham, stamping the round pen at every step whose pen reaches the clip box.
  const int64_t dx = std::llabs(bx - ax), dy = -std::llabs(by - ay);
  const int64_t sx = ax < bx ? 1 : -1, sy = ay < by ? 1 : -1;
  int64_t err = dx + dy;
  const auto [lo, hi] = PenReachOf(line.width);
  for (;;) {
    if (ax + hi >= clip.left && ax + lo < clip.right && ay + hi >= clip.top &&
        ay + lo < clip.bottom)
      Stamp(static_cast<int>(ax), static_cast<int>(ay), pixel, part);
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
