#include "clockface/changed_box.h"

#include <algorithm>

namespace quarvel {

namespace {
ImageRect Union(const ImageRect& a, const ImageRect& b) {
  if (a.empty()) return b;
  if (b.empty()) return a;
  return {std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
          std::max(a.bottom, b.bottom)};
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
  // Each line of `after` is paired with the first unpaired alike line of `before`.
  std::vector<bool> pairedBefore(before.size()), pairedAfter(after.size());
  for (std::size_t i = 0; i < after.size(); ++i)
    for (std::size_t j = 0; j < before.size(); ++j)
      if (!pairedBefore[j] && before[j] == after[i]) {
        pairedBefore[j] = pairedAfter[i] = true;
        break;
      }
  ImageRect box;
  std::vector<const DrawnSegment*> keptBefore, keptAfter;
  for (std::size_t j = 0; j < before.size(); ++j)
    if (pairedBefore[j])
      keptBefore.push_back(&before[j]);
    else
      box = Union(box, LineBox(before[j], width, height));
  for (std::size_t i = 0; i < after.size(); ++i)
    if (pairedAfter[i])
      keptAfter.push_back(&after[i]);
    else
      box = Union(box, LineBox(after[i], width, height));
  for (std::size_t k = 0; k < keptBefore.size(); ++k)
    if (!(*keptBefore[k] == *keptAfter[k])) return {0, 0, width, height};
  return box;
}

}  // namespace quarvel
