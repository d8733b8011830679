#include "core/skineditor/face_zoom.h"

#include <algorithm>
#include <cstdint>

#include "core/skineditor/dial_frame.h"

namespace quarvel {

namespace {
// Division rounding towards minus infinity, for pixels left of or above the face.
int FloorDiv(int64_t a, int64_t b) {
  int64_t q = a / b;
  if ((a % b != 0) && ((a < 0) != (b < 0))) --q;
  return static_cast<int>(q);
}

double Distance2(double x1, double y1, double x2, double y2) {
  return (x2 - x1) * (x2 - x1) + (y2 - y1) * (y2 - y1);
}

double SegmentDistance2(ScreenPoint a, ScreenPoint b, ScreenPoint p) {
  const double dx = b.x - a.x, dy = b.y - a.y;
  const double length2 = dx * dx + dy * dy;
  double t = length2 == 0 ? 0 : ((p.x - a.x) * dx + (p.y - a.y) * dy) / length2;
  t = std::clamp(t, 0.0, 1.0);
  return Distance2(a.x + t * dx, a.y + t * dy, p.x, p.y);
}

std::vector<std::optional<ScreenPoint>> OnScreen(const FaceZoom& zoom, const ClockState& dial,
                                                 const std::vector<ShapePoint>& points) {
  std::vector<std::optional<ScreenPoint>> placed;
  placed.reserve(points.size());
  for (const ShapePoint& point : points) {
    const auto pixel = PointPixel(dial, point);
    placed.push_back(pixel ? std::optional(zoom.ToScreen(*pixel)) : std::nullopt);
  }
  return placed;
}
}  // namespace

const char* ZoomName(Zoom zoom) {
  switch (zoom) {
    case Zoom::kFit:
      return "Fit";
    case Zoom::kOne:
      return "1x";
    case Zoom::kTwo:
      return "2x";
    case Zoom::kFour:
      return "4x";
  }
  return "";
}

void FaceZoom::SetFace(int faceWidth) {
  face_ = std::max(faceWidth, 1);
  Update();
}

void FaceZoom::SetView(int width, int height) {
  viewWidth_ = std::max(width, 1);
  viewHeight_ = std::max(height, 1);
  Update();
}

void FaceZoom::SetZoom(Zoom zoom) {
  zoom_ = zoom;
  Update();
}

void FaceZoom::Update() {
  denominator_ = 1;
  switch (zoom_) {
    case Zoom::kFit: {
      // The largest whole number of screen pixels a face pixel that shows the whole face; a face
      // larger than the view shrinks to it.
      const int view = std::min(viewWidth_, viewHeight_);
      if (face_ <= view) {
        numerator_ = view / face_;
      } else {
        numerator_ = view;
        denominator_ = face_;
      }
      break;
    }
    case Zoom::kOne:
      numerator_ = 1;
      break;
    case Zoom::kTwo:
      numerator_ = 2;
      break;
    case Zoom::kFour:
      numerator_ = 4;
      break;
  }
  ScrollTo(scrollX_, scrollY_);
}

FacePlace FaceZoom::FaceRect() const {
  const int size = FloorDiv(static_cast<int64_t>(face_) * numerator_, denominator_);
  const int x = size <= viewWidth_ ? (viewWidth_ - size) / 2 : -scrollX_;
  const int y = size <= viewHeight_ ? (viewHeight_ - size) / 2 : -scrollY_;
  return {x, y, size, size};
}

void FaceZoom::ScrollTo(int x, int y) {
  const int size = FloorDiv(static_cast<int64_t>(face_) * numerator_, denominator_);
  scrollX_ = std::clamp(x, 0, std::max(0, size - viewWidth_));
  scrollY_ = std::clamp(y, 0, std::max(0, size - viewHeight_));
}

ScreenPoint FaceZoom::MiddleFacePixel() const {
  return ToFace({viewWidth_ / 2, viewHeight_ / 2});
}

void FaceZoom::CentreOn(ScreenPoint facePixel) {
  const auto middle = [&](int p) {
    return FloorDiv((2 * static_cast<int64_t>(p) + 1) * numerator_, 2 * int64_t{denominator_});
  };
  ScrollTo(middle(facePixel.x) - viewWidth_ / 2, middle(facePixel.y) - viewHeight_ / 2);
}

ScreenPoint FaceZoom::ToScreen(ScreenPoint facePixel) const {
  const FacePlace rect = FaceRect();
  const auto middle = [&](int p) {
    return FloorDiv((2 * static_cast<int64_t>(p) + 1) * numerator_, 2 * int64_t{denominator_});
  };
  return {rect.x + middle(facePixel.x), rect.y + middle(facePixel.y)};
}

ScreenPoint FaceZoom::ToFace(ScreenPoint screenPixel) const {
  const FacePlace rect = FaceRect();
  return {FloorDiv(static_cast<int64_t>(screenPixel.x - rect.x) * denominator_, numerator_),
          FloorDiv(static_cast<int64_t>(screenPixel.y - rect.y) * denominator_, numerator_)};
}

std::vector<Handle> Handles(const FaceZoom& zoom, const ClockState& dial,
                            const std::vector<ShapePoint>& points, int selected) {
  std::vector<Handle> handles;
  const auto placed = OnScreen(zoom, dial, points);
  for (std::size_t i = 0; i < placed.size(); ++i)
    if (placed[i]) handles.push_back({*placed[i], static_cast<int>(i) == selected});
  return handles;
}

int PointAtScreen(const FaceZoom& zoom, const ClockState& dial,
                  const std::vector<ShapePoint>& points, ScreenPoint at) {
  const auto placed = OnScreen(zoom, dial, points);
  int found = -1;
  double best = static_cast<double>(kPointReach) * kPointReach;
  for (std::size_t i = 0; i < placed.size(); ++i) {
    if (!placed[i]) continue;
    const double d = Distance2(placed[i]->x, placed[i]->y, at.x, at.y);
    if (d <= best) {
      best = d;
      found = static_cast<int>(i);
    }
  }
  return found;
}

int SegmentAtScreen(const FaceZoom& zoom, const ClockState& dial,
                    const std::vector<ShapePoint>& points, ScreenPoint at) {
  const auto placed = OnScreen(zoom, dial, points);
  int found = -1;
  double best = static_cast<double>(kOutlineReach) * kOutlineReach;
  for (std::size_t i = 0; i + 1 < placed.size(); ++i) {
    if (!placed[i] || !placed[i + 1]) continue;
    const double d = SegmentDistance2(*placed[i], *placed[i + 1], at);
    if (d < best) {
      best = d;
      found = static_cast<int>(i);
    }
  }
  return found;
}

ShapePoint PointFromScreen(const FaceZoom& zoom, const ClockState& dial, ScreenPoint at) {
  const ScreenPoint face = zoom.ToFace(at);
  return PointFromPixel(dial, face.x, face.y);
}

}  // namespace quarvel
