// Prints the rectangles of Windows' elliptic regions, for region_rows to compare (run under
// Wine by wine_compare.sh):
//   region_dump <first diameter> <last diameter>   one line each: "<d> left,top,right,bottom..."
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <vector>

int main(int argc, char** argv) {
  if (argc != 3) return 64;
  for (int d = std::atoi(argv[1]); d <= std::atoi(argv[2]); ++d) {
    HRGN region = CreateEllipticRgn(0, 0, d, d);
    std::vector<char> buffer(GetRegionData(region, 0, nullptr));
    auto* data = reinterpret_cast<RGNDATA*>(buffer.data());
    GetRegionData(region, static_cast<DWORD>(buffer.size()), data);
    const auto* rects = reinterpret_cast<const RECT*>(data->Buffer);
    std::printf("%d", d);
    for (DWORD i = 0; i < data->rdh.nCount; ++i)
      std::printf(" %ld,%ld,%ld,%ld", rects[i].left, rects[i].top, rects[i].right, rects[i].bottom);
    std::printf("\n");
    DeleteObject(region);
  }
}
