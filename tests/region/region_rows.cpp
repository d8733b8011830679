// Prints EllipseRegionRows in region_dump's format, one row a rectangle:
//   region_rows <first diameter> <last diameter>
#include <cstdio>
#include <cstdlib>

#include "platform/ellipse_region.h"

int main(int argc, char** argv) {
  if (argc != 3) return 64;
  for (int d = std::atoi(argv[1]); d <= std::atoi(argv[2]); ++d) {
    std::printf("%d", d);
    for (const quarvel::RegionRow& row : quarvel::EllipseRegionRows(d))
      std::printf(" %d,%d,%d,%d", row.left, row.y, row.right, row.y + 1);
    std::printf("\n");
  }
}
