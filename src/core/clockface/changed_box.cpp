#include "core/clockface/changed_box.h"

#include <algorithm>
#include <cmath>

namespace quarvel {

ImageRect LineBox(const DrawnSegment& line, int width, int height) {
  const auto [lo, hi] = PenReachOf(line.width);
  const ImageRect box{std::max(std::min(line.x1, line.x2) + lo, 0),
                      std::max(std::min(line.y1, line.y2) + lo, 0),
                      std::min(std::max(line.x1, line.x2) + hi + 1, width),
                      std::min(std::max(line.y1, line.y2) + hi + 1, height)};
  return box.empty() ? ImageRect{} : box;
}

namespace {
// Widens the rows of `part` by the columns the line's pen may cover in each. A point the walk
// stamps lies within a pixel of the straight line in both directions (a cut line's rounded ends
// add half of one), so the line's columns over its rows give them, with a margin.
void AddLineRows(const DrawnSegment& line, int width, int height, ChangedPart& part) {
  const ImageRect box = LineBox(line, width, height);
  if (box.empty()) return;
  const auto [lo, hi] = PenReachOf(line.width);
  constexpr double kMargin = 2.0;
  const double x1 = line.x1, y1 = line.y1, x2 = line.x2, y2 = line.y2;
  const double top = std::min(y1, y2), bottom = std::max(y1, y2);
  const double slope = y1 != y2 ? (x2 - x1) / (y2 - y1) : 0.0;  // columns a row
  for (int y = box.top; y < box.bottom; ++y) {
    // The rows of the line whose pen reaches row y, and the line's columns over them.
    const double from = std::max(top, y - hi - kMargin), to = std::min(bottom, y - lo + kMargin);
    double left = std::min(x1, x2), right = std::max(x1, x2);
    if (y1 != y2 && from <= to) {
      const double xa = x1 + (from - y1) * slope;
      const double xb = x1 + (to - y1) * slope;
      left = std::max(left, std::min(xa, xb));
      right = std::min(right, std::max(xa, xb));
    }
    const double l = std::floor(left) - kMargin + lo, r = std::ceil(right) + kMargin + hi + 1;
    RowSpan& span = part.rows[static_cast<std::size_t>(y - part.box.top)];
    const auto clampedLeft = static_cast<int32_t>(std::max<double>(l, box.left));
    const auto clampedRight = static_cast<int32_t>(std::min<double>(r, box.right));
    if (clampedLeft >= clampedRight) continue;
    if (span.left >= span.right) {
      span = {clampedLeft, clampedRight};
    } else {
      span.left = std::min(span.left, clampedLeft);
      span.right = std::max(span.right, clampedRight);
    }
  }
}

ChangedPart Whole(int width, int height) {
  return WholeRows({0, 0, width, height});
}
}  // namespace

ChangedPart ChangedRows(const std::vector<DrawnSegment>& before,
                        const std::vector<DrawnSegment>& after, int width, int height) {
  // Each line of `after` is paired with the first unpaired alike line of `before`.
  std::vector<bool> pairedBefore(before.size()), pairedAfter(after.size());
  for (std::size_t i = 0; i < after.size(); ++i)
    for (std::size_t j = 0; j < before.size(); ++j)
      if (!pairedBefore[j] && before[j] == after[i]) {
        pairedBefore[j] = pairedAfter[i] = true;
        break;
      }
  std::vector<const DrawnSegment*> keptBefore, keptAfter, changed;
  for (std::size_t j = 0; j < before.size(); ++j)
    (pairedBefore[j] ? keptBefore : changed).push_back(&before[j]);
  for (std::size_t i = 0; i < after.size(); ++i)
    (pairedAfter[i] ? keptAfter : changed).push_back(&after[i]);
  for (std::size_t k = 0; k < keptBefore.size(); ++k)
    if (!(*keptBefore[k] == *keptAfter[k])) return Whole(width, height);
  ChangedPart part;
  for (const DrawnSegment* line : changed)
    part.box = Union(part.box, LineBox(*line, width, height));
  if (part.box.empty()) return {};
  part.rows.resize(static_cast<std::size_t>(part.box.height()));
  for (const DrawnSegment* line : changed) AddLineRows(*line, width, height, part);
  return part;
}

}  // namespace quarvel
