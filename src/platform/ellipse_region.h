#pragma once
// The elliptic window region as Windows makes it (CreateEllipticRgn), row by row, for window
// systems that shape a window from rectangles: the clock is the same round window on every one.
#include <cstdint>
#include <vector>

namespace quarvel {

// One row of the region: the pixels left <= x < right of row y.
struct RegionRow {
  int32_t y = 0;
  int32_t left = 0;
  int32_t right = 0;
  bool operator==(const RegionRow&) const = default;
};

// The rows of the region of the ellipse inscribed in (0, 0)-(diameter, diameter), top to
// bottom. Like Windows' it leaves out the last row and column: it is diameter - 1 across.
std::vector<RegionRow> EllipseRegionRows(int32_t diameter);

}  // namespace quarvel
