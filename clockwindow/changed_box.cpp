#include "clockwindow/changed_box.h"

#include <algorithm>

namespace quarvel {

namespace {
ImageRect Union(const ImageRect& a, const ImageRect& b) {
  if (a.empty()) return b;
  if (b.empty()) return a;
  return {std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
          std::max(a.bottom, b.bottom)};
}

// Adds the box of every line of `lines` that `others` lacks, counting repeats.
ImageRect Unmatched(const std::vector<DrawnSegment>& lines, std::vector<DrawnSegment> others,
                    int width, int height) {
  ImageRect box;
  for (const DrawnSegment& line : lines) {
    const auto match = std::find(others.begin(), others.end(), line);
    if (match != others.end())
      others.erase(match);
    else
      box = Union(box, LineBox(line, width, height));
  }
  return box;
}
}  // namespace

// The canvas's round pen: width 2 covers 0..1 around a point, width 3 covers -1..1.
ImageRect LineBox(const DrawnSegment& line, int width, int height) {
  const int w = std::max<int>(line.width, 1);
  const int lo = -(w - 1) / 2, hi = w / 2;
  const ImageRect box{std::max(std::min(line.x1, line.x2) + lo, 0),
                      std::max(std::min(line.y1, line.y2) + lo, 0),
                      std::min(std::max(line.x1, line.x2) + hi + 1, width),
                      std::min(std::max(line.y1, line.y2) + hi + 1, height)};
  return box.empty() ? ImageRect{} : box;
}

ImageRect ChangedBox(const std::vector<DrawnSegment>& before,
                     const std::vector<DrawnSegment>& after, int width, int height) {
  return Union(Unmatched(before, after, width, height), Unmatched(after, before, width, height));
}

}  // namespace quarvel
