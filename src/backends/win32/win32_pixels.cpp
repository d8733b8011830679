#include "backends/win32/win32_pixels.h"

#include <algorithm>

namespace quarvel {

void PaintPixels(HDC dc, const PixelImage& picture) {
  PaintPixels(dc, picture, WholeImage(picture));
}

// The rows of the part are handed over as a picture of their own, the part's full height: a
// top-down DIB counts its source rows from the bottom, and with the whole height no row is in
// doubt.
void PaintPixels(HDC dc, const PixelImage& picture, const ImageRect& part) {
  const ImageRect r{std::max(part.left, 0), std::max(part.top, 0),
                    std::min(part.right, picture.width), std::min(part.bottom, picture.height)};
  if (picture.empty() || r.empty()) return;
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = picture.width;
  info.bmiHeader.biHeight = -r.height();  // top-down
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  const Pixel* rows = picture.pixels.data() +
                      static_cast<std::size_t>(r.top) * static_cast<std::size_t>(picture.width);
  SetDIBitsToDevice(dc, r.left, r.top, static_cast<DWORD>(r.width()),
                    static_cast<DWORD>(r.height()), r.left, 0, 0, static_cast<UINT>(r.height()),
                    rows, &info, DIB_RGB_COLORS);
}

}  // namespace quarvel
