#include "platform/ellipse_region.h"

namespace quarvel {

// Windows traces the ellipse with an integer midpoint walk (after Alois Zingl) from the middle
// row outwards, one quadrant, and mirrors the lower half onto the upper half. This walk gives
// the same rows for every diameter (checked against Windows' own region under Wine, see
// tests/region).
std::vector<RegionRow> EllipseRegionRows(int32_t diameter) {
  const int32_t size = diameter - 1;  // the region leaves out the last row and column
  std::vector<RegionRow> rows;
  if (size < 1) return rows;
  if (size < 2) {  // too small for a curve: a plain rectangle
    rows.push_back({0, 0, size});
    return rows;
  }
  rows.resize(static_cast<std::size_t>(size));
  const int64_t a = size - 1, b = size - 1;
  const int64_t aStep = 8 * a * a, bStep = 8 * b * b;
  int64_t dx = 4 * b * b * (1 - a);
  int64_t dy = 4 * a * a * (1 + b % 2);
  int64_t err = dx + dy + a * a * (b % 2);
  int32_t x = 0;
  int32_t y = size / 2;
  rows[static_cast<std::size_t>(y)] = {y, 0, size};
  while (x <= size / 2) {
    const int64_t e2 = 2 * err;
    if (e2 >= dx) {
      ++x;
      err += dx += bStep;
    }
    if (e2 <= dy) {
      ++y;
      err += dy += aStep;
      if (y < size) rows[static_cast<std::size_t>(y)] = {y, x, size - x};
    }
  }
  for (int32_t i = 0; i < size / 2; ++i) {
    const RegionRow& mirror = rows[static_cast<std::size_t>(size - 1 - i)];
    rows[static_cast<std::size_t>(i)] = {i, mirror.left, mirror.right};
  }
  return rows;
}

}  // namespace quarvel
