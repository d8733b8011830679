#include "core/skineditor/skin_face.h"

#include <algorithm>
#include <cstdlib>
#include <utility>
#include <vector>

#include "core/clockface/dial_geometry.h"
#include "core/clockface/face_redraw.h"
#include "core/clockwindow/form1.h"
#include "core/clockwindow/twips.h"
#include "runtime/runtime_error.h"

namespace quarvel {

namespace {
// The clock's measuring box without a picture, at the 96 dpi the editor's face is drawn for.
const int32_t kPlainFaceWidth = TwipsToPixels(Form1::kDesignedPictureWidthTwips, 15.0f);

constexpr Pixel kMarkerEdge = 0x000000;
constexpr Pixel kMarkerInside = 0xFFFFFF;
constexpr Pixel kSelectedInside = 0xFFD700;

class GuidePainter {
 public:
  explicit GuidePainter(PixelImage& image) : image_(image) {}

  // Faint: 40 % of the pixel's own inverse, which shows on a light face and a dark one alike.
  void Faint(int x, int y) {
    Pixel* p = At(x, y);
    if (p == nullptr) return;
    Pixel out = 0;
    for (int shift = 0; shift <= 16; shift += 8) {
      const int c = static_cast<int>((*p >> shift) & 0xFF);
      out |= static_cast<Pixel>((c * 3 + (255 - c) * 2) / 5) << shift;
    }
    *p = out;
  }
  void Solid(int x, int y, Pixel colour) {
    if (Pixel* p = At(x, y)) *p = colour;
  }

  void FaintCircle(int cx, int cy, int r) {
    if (r <= 0) return;
    // Midpoint circle; the octants meet in shared pixels, which are blended once.
    std::vector<std::pair<int, int>> ring;
    for (int x = r, y = 0, err = 1 - r; x >= y;) {
      for (auto [px, py] :
           {std::pair{x, y}, {y, x}, {-y, x}, {-x, y}, {-x, -y}, {-y, -x}, {y, -x}, {x, -y}})
        ring.emplace_back(cx + px, cy + py);
      ++y;
      if (err < 0) {
        err += 2 * y + 1;
      } else {
        --x;
        err += 2 * (y - x) + 1;
      }
    }
    std::sort(ring.begin(), ring.end());
    ring.erase(std::unique(ring.begin(), ring.end()), ring.end());
    for (auto [x, y] : ring) Faint(x, y);
  }

  void FaintLine(int x1, int y1, int x2, int y2) {
    const int dx = std::abs(x2 - x1), dy = -std::abs(y2 - y1);
    const int sx = x1 < x2 ? 1 : -1, sy = y1 < y2 ? 1 : -1;
    int err = dx + dy;
    for (;;) {
      Faint(x1, y1);
      if (x1 == x2 && y1 == y2) return;
      const int e2 = 2 * err;
      if (e2 >= dy) err += dy, x1 += sx;
      if (e2 <= dx) err += dx, y1 += sy;
    }
  }

  void Marker(int x, int y, bool selected) {
    const int outer = selected ? 4 : 3;
    for (int dy = -outer; dy <= outer; ++dy)
      for (int dx = -outer; dx <= outer; ++dx) {
        const bool edge = std::abs(dx) == outer || std::abs(dy) == outer;
        if (edge)
          Solid(x + dx, y + dy, kMarkerEdge);
        else if (selected || std::abs(dx) == outer - 1 || std::abs(dy) == outer - 1)
          Solid(x + dx, y + dy, selected ? kSelectedInside : kMarkerInside);
      }
  }

 private:
  Pixel* At(int x, int y) {
    if (x < 0 || y < 0 || x >= image_.width || y >= image_.height) return nullptr;
    return &image_.pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(image_.width) +
                          static_cast<std::size_t>(x)];
  }
  PixelImage& image_;
};
}  // namespace

SkinFace::SkinFace() : canvas_(kPlainFaceWidth, kPlainFaceWidth), width_(kPlainFaceWidth) {}

void SkinFace::SetPicture(PixelImage picture) {
  width_ = picture.empty() ? kPlainFaceWidth : picture.width;
  canvas_.Resize(width_, width_);
  canvas_.SetBackgroundPicture(std::move(picture));
}

std::string SkinFace::Draw(const SkinDocument& document, TimeOfDay time) {
  ClockState state;
  state.hourColor = document.hand(HandId::kHour).color;
  state.minuteColor = document.hand(HandId::kMinute).color;
  state.secondColor = document.hand(HandId::kSecond).color;
  state.hourShape = ToHandShape(document.hand(HandId::kHour));
  state.minuteShape = ToHandShape(document.hand(HandId::kMinute));
  state.secondShape = ToHandShape(document.hand(HandId::kSecond));
  state.secondsHand = document.options.secondsHand;
  state.date = document.options.date;
  state.datePlace = document.options.datePlace;
  state.dateColor = document.options.dateColor;
  // The clock refuses a pen below 1 pixel and keeps its designed 1-pixel pen.
  canvas_.SetDrawWidth(document.penWidth >= 1 ? document.penWidth : 1);
  positions_ = PositionsAt(time);
  StoppedClock clock(time);
  try {
    RedrawFace(state, canvas_, clock);
  } catch (const RuntimeError& error) {
    return error.what();
  }
  return {};
}

ClockState SkinFace::DialOf(HandId hand) const {
  const int16_t position = hand == HandId::kHour     ? positions_.hour
                           : hand == HandId::kMinute ? positions_.minute
                                                     : positions_.second;
  return DialFor(width_, position);
}

PixelImage SkinFace::WithGuide(const SkinDocument& document, HandId hand, int selected,
                               bool markers) const {
  PixelImage image = canvas_.pixels();
  GuidePainter painter(image);
  const ClockState dial = DialOf(hand);
  painter.FaintCircle(dial.centerX, dial.centerY, ScaledRadius(dial, 50));
  painter.FaintCircle(dial.centerX, dial.centerY, ScaledRadius(dial, 100));
  for (int d = -3; d <= 3; ++d) {  // 0 %: the centre
    if (d == 0) continue;
    painter.Faint(dial.centerX + d, dial.centerY);
    painter.Faint(dial.centerX, dial.centerY + d);
  }
  if (const auto tip = PointPixel(dial, ShapePoint{0, 100}))
    painter.FaintLine(dial.centerX, dial.centerY, tip->x, tip->y);
  if (!markers) return image;
  const auto& points = document.hand(hand).points;
  for (std::size_t i = 0; i < points.size(); ++i) {
    if (const auto pixel = PointPixel(dial, points[i]))
      painter.Marker(pixel->x, pixel->y, static_cast<int>(i) == selected);
  }
  return image;
}

}  // namespace quarvel
